#!/usr/bin/env bash
# Renders the application icon tarvelo.svg into the PNG sizes the desktop
# icon theme uses (icons/SIZE.png). Run again after changing the SVG and
# commit the PNGs, so a build needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
command -v rsvg-convert >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q librsvg2-bin >/dev/null
mkdir -p icons
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" tarvelo.svg --output "icons/$size.png"
done
