#!/usr/bin/env bash
# Photographs the main windows for docs/ as a 4K-class desktop shows them: a
# 2560x1440 screen at scale 2 (QT_SCALE_FACTOR=2), under Xvfb with a window
# manager, each cropped to its window and frame; then the same windows in the
# high-contrast look. Run after a build (scripts/setup.sh test or run).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/docs
bin=$PWD/build/bin

source scripts/packages.sh
ensure_packages xvfb imagemagick openbox xdotool x11-utils

source scripts/xvfb.sh
make_work_folder
export QT_SCALE_FACTOR=2 HOME=$work/home SDL_AUDIODRIVER=dummy
mkdir -p "$HOME"
start_desktop 2560x1440x24
xdotool mousemove 2559 1439 # keep the pointer off the windows

# shot NAME [WAIT]: the active window with its frame, into docs/NAME.png.
shot() {
    sleep "${2:-1}"
    local window frame x y w h
    window=$(xdotool getactivewindow)
    read -r x y w h < <(xwininfo -id "$window" |
        awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
             /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
    # left, right, top, bottom
    read -r fl fr ft fb < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' |
        awk '{print $3, $4, $5, $6}')
    import -window root -crop "$((w + fl + fr))x$((h + ft + fb))+$((x - fl))+$((y - ft))" \
        +repage "$out/$1.png"
    echo "$out/$1.png"
}
keys() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.4
    done
}

mkdir -p "$work/app"
cp "$bin/tarvelo" "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$bin"/*.htm "$bin"/*.wav \
    "$bin"/*.mid "$bin"/libtarvelo_audio.so "$work/app/"
printf '%s\n' '["write", "users", "user0", "Ada"]' '["write", "users", "user1", "Bram"]' \
    '["write", "users", "lastuser", "0"]' '["write", "user0", "completeposition", "4810"]' \
    '["write", "user0", "completeqseconds", "9600"]' '["write", "user0", "completeerrors", "240"]' \
    '["write", "user0", "sessionnumber", "3"]' '["write", "user0", "playedgame", "1"]' |
    "$bin/tarvelo-probe" profile "$work/app" >/dev/null
"$bin/tarvelo-seed-history" "$work/app" user0 Ada 60 >/dev/null

# walk PREFIX [ARGS...]: the four windows, named PREFIX-*.png.
walk() {
    local prefix=$1 pid
    shift
    rm -rf "$work/run"
    cp -r "$work/app" "$work/run" # the same start each time
    "$work/run/tarvelo" "$@" &
    pid=$!
    shot "$prefix-main-menu" 3
    keys Right Down Return # Ada, Typing Practice
    sleep 1
    keys Down Down Down Return Up Up Up Return # AI on, Begin
    xdotool type --delay 80 "Teh bkaery"
    shot "$prefix-session-window"
    keys Escape Escape Down Down Return # stop, back to the menu, View Stats
    shot "$prefix-statistics-window" 2
    keys Escape Up Return # back to the menu, Play Game
    sleep 1
    keys Return # Begin
    shot "$prefix-game-window" 4
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
walk scale2
walk scale2-high-contrast --high-contrast
