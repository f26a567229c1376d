#!/usr/bin/env bash
# Runs the program natively under Wayland, in a headless Weston with no X:
# the program itself until its main menu is mapped (seen in its Wayland
# protocol log), then asked to end as at a session's end (SIGTERM): it must
# leave with status 0 and the stored position as it was. Then the windows'
# Wayland test (tests/ui/wayland_test.cpp), which opens an activity and
# leaves it, finding the stored position as it was. Weston is stopped last.
# Usage: scripts/check_wayland.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$PWD/${1:-build}/bin

source scripts/packages.sh
ensure_packages weston qt6-wayland

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "check_wayland: $*" >&2
    exit 1
}

export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -m 0700 "$XDG_RUNTIME_DIR" "$HOME"
unset DISPLAY
export WAYLAND_DISPLAY=tarvelo-check QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    >"$work/weston.log" 2>&1 &
weston=$!
pids+=("$weston")
for _ in $(seq 200); do
    [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && break
    kill -0 "$weston" 2>/dev/null || fail "weston ended: $(cat "$work/weston.log")"
    sleep 0.05
done
[[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || fail "weston opened no socket"

# The program: its main menu is a toplevel with its title, configured by the
# compositor and given a buffer.
app=$work/app
mkdir -p "$app"
cp "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$bin"/*.htm "$app/"
position() {
    printf '%s\n' '["read", "users", "left", ""]' '["read", "users", "top", ""]' |
        "$bin/tarvelo-probe" profile "$app" | tr -d '"' | paste -sd' '
}
printf '%s\n' '["write", "users", "left", "3000"]' '["write", "users", "top", "2000"]' |
    "$bin/tarvelo-probe" profile "$app" >/dev/null
log=$work/program.log
WAYLAND_DEBUG=1 "$bin/tarvelo" --folder "$app" 2>"$log" &
pid=$!
pids+=("$pid")
mapped() {
    [[ -e $log ]] || return 1 # the program's shell may not have opened it yet
    awk '/xdg_toplevel@[0-9]+\.set_title\("Tarvelo - Select your Options"\)/ { titled = 1 }
         titled && /xdg_surface@[0-9]+\.ack_configure\(/ { configured = 1 }
         configured && /wl_surface@[0-9]+\.attach\(/ { found = 1; exit }
         END { exit !found }' "$log"
}
begin=$SECONDS
until mapped; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended without its main menu: $(grep -v '^\[' "$log" | tail -5)"
    ((SECONDS - begin < 20)) || fail "no main menu after 20 s"
    sleep 0.1
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pids=("$weston")
((status == 0)) || fail "the program left with status $status: $(grep -v '^\[' "$log" | tail -5)"
[[ $(position) == "3000 2000" ]] || fail "the stored position became $(position)"
echo "wayland: main menu mapped after $((SECONDS - begin)) s; left cleanly, position kept"

"$bin/tarvelo_wayland_test" -silent || fail "the Wayland window test failed"

kill "$weston"
wait "$weston" || fail "weston did not end cleanly: $(tail -5 "$work/weston.log")"
pids=()
echo "wayland: windows leave the stored position alone; weston stopped"
