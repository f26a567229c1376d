#!/usr/bin/env bash
# The program as a screen reader sees it: starts Xvfb and a private session
# bus (which starts the AT-SPI bus on demand), then walks the windows with
# screen_reader_walk.py. Usage: screen_reader_test.sh BUILD_BIN_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb.sh"
make_work_folder
start_xvfb 1280x900x24 || {
    echo "screen_reader_test: Xvfb did not start" >&2
    exit 1
}

# Two users; Ada has typed before, so no first-use message, and has seen the
# game's rules.
mkdir -p "$work/app"
cp "$bin/tarvelo" "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$work/app/"
printf '%s\n' '["write", "users", "user0", "Ada"]' '["write", "users", "user1", "Bram"]' \
    '["write", "users", "lastuser", "0"]' '["write", "user0", "sessionnumber", "3"]' |
    "$bin/tarvelo-probe" profile "$work/app" >/dev/null

export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 SDL_AUDIODRIVER=dummy
timeout 120 dbus-run-session -- /usr/bin/python3 "$here/screen_reader_walk.py" "$work/app/tarvelo"
