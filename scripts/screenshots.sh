#!/usr/bin/env bash
# Takes a screenshot of every window the program has so far, under Xvfb,
# into screenshots/. Run after a build (scripts/setup.sh test or run).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/screenshots
bin=$PWD/build/bin
mkdir -p "$out"

# A window manager draws the title bars the pictures should show.
for tool in Xvfb:xvfb import:imagemagick openbox:openbox; do
    command -v "${tool%%:*}" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${tool#*:}" >/dev/null
done

display=:${SCREENSHOT_DISPLAY:-97}
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
sleep 1

# shoot NAME FOLDER: starts the program installed in FOLDER and photographs it.
shoot() {
    local name=$1 folder=$2
    "$folder/tarvelo" &
    local pid=$!
    sleep 2
    import -window root "$out/$name.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$out/$name.png"
}

# Start-up with no data files: the error message.
mkdir -p "$work/empty"
cp "$bin/tarvelo" "$work/empty/"
shoot startup-error "$work/empty"

# Start-up with the shipped data: the main window.
mkdir -p "$work/installed"
cp "$bin/tarvelo" "$bin"/*.txt "$bin"/*.INI "$work/installed/"
shoot main-window "$work/installed"
