#!/usr/bin/env bash
# Draws the windows' background picture data/Masada.jpg: a calm sand-and-sky
# gradient with soft ridges, pale enough for black text to stay readable.
set -euo pipefail
cd "$(dirname "$0")/.."
convert -size 1024x768 -seed 1977 plasma:'#f4ead8'-'#dfe9f3' -blur 0x24 \
    \( -size 1024x768 gradient:'#eef3f8'-'#efe2c8' \) -compose blend -define compose:args=60 -composite \
    \( -size 1024x768 xc:none -fill '#d9c7a455' -draw "polygon 0,560 180,470 330,520 520,430 700,500 860,440 1024,520 1024,768 0,768" -blur 0x6 \) -compose over -composite \
    -quality 82 data/Masada.jpg
ls -l data/Masada.jpg
