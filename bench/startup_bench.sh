#!/usr/bin/env bash
# Start-up against a bare Qt window: the program (a portable copy with its
# audio module), tarvelo_bare_window (one QWidget, built by the same build) and
# the same with one label of text in the default font (tarvelo_bare_window
# --label: the font set-up and first glyphs the bare window skips) start in
# turn on one Xvfb display, RUNS times each. For every start, as
# tarvelo_map_watch sees the window's map event on the X server (no polling
# delay): the time from the process start until then, the processor time used
# by then (the steadier figure on a busy machine) and the shared libraries
# mapped then; 3 s later the resident memory and the libraries again. Prints
# the medians, and the ratios and memory against each reference. A start that
# shows no window within LIMIT seconds ends the bench with an error.
# Usage: bench/startup_bench.sh [BUILD_FOLDER/bin]
#   RUNS (9), LIMIT (20); SDL_AUDIODRIVER=dummy gives the program a device.
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
runs=${RUNS:-9}
limit=${LIMIT:-20}
source "$(dirname "$0")/../scripts/packages.sh"
ensure_packages xvfb xdotool

for needed in tarvelo tarvelo_bare_window tarvelo_map_watch; do
    [[ -x $bin/$needed ]] || { echo "startup_bench: no $bin/$needed (build it first)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb=
pid=
cleanup() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "startup_bench: $*" >&2
    exit 1
}

# A portable copy: the program, its module and the data files beside it.
mkdir "$work/program"
cp "$bin/tarvelo" "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$bin"/*.wav "$bin"/*.mid "$bin"/*.htm \
    "$work/program/"
cp "$bin"/libtarvelo_audio.so "$work/program/" 2>/dev/null || true
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -m 0700 "$XDG_RUNTIME_DIR"

source "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb || fail "Xvfb did not start"
log=$work/program.log

libraries() { awk '$6 ~ /\.so/ { print $6 }' "/proc/$1/maps" | sort -u | wc -l; }

# measure TITLE PROGRAM...: "ms libraries-at-window rss-kB libraries-later cpu-ms"
measure() {
    local title=$1 seen ms shown cpu
    shift
    seen=$("$bin/tarvelo_map_watch" "$title" "$limit" "$@" 2>>"$log") || fail "$(tail -5 "$log")"
    read -r ms shown cpu pid <<<"$seen"
    sleep 3
    kill -0 "$pid" 2>/dev/null || fail "$1 ended after its window showed: $(tail -5 "$log")"
    echo "$ms $shown $(awk '/VmRSS/ { print $2 }' "/proc/$pid/status") $(libraries "$pid") $cpu"
    kill "$pid"
    # Not this shell's child (the watcher started it): wait for it to go.
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    pid=
}

program=()
bare=()
label=()
for _ in $(seq "$runs"); do
    program+=("$(measure 'Tarvelo - Select your Options' "$work/program/tarvelo")")
    bare+=("$(measure 'Bare Qt window' "$bin/tarvelo_bare_window")")
    label+=("$(measure 'Bare Qt window with a label' "$bin/tarvelo_bare_window" --label)")
done

# median FIELD RUNS...
median() {
    local field=$1
    shift
    printf '%s\n' "$@" | cut -d' ' -f"$field" | sort -n | sed -n "$((($# + 1) / 2))p"
}
report() {
    local name=$1
    shift
    printf '%-14s %4d ms to the window (runs: %s), %d ms processor time;' "$name" \
        "$(median 1 "$@")" "$(printf '%s\n' "$@" | cut -d' ' -f1 | paste -sd' ')" \
        "$(median 5 "$@")"
    printf ' %.1f MB resident 3 s later; shared libraries: %d at the window, %d 3 s later\n' \
        "$(awk -v kb="$(median 3 "$@")" 'BEGIN { print kb / 1024 }')" "$(median 2 "$@")" \
        "$(median 4 "$@")"
}
report "program" "${program[@]}"
report "bare Qt window" "${bare[@]}"
report "with a label" "${label[@]}"
# against NAME RUNS...: the program's ratios and memory against a reference.
against() {
    local name=$1
    shift
    awk -v name="$name" -v p="$(median 1 "${program[@]}")" -v b="$(median 1 "$@")" \
        -v pc="$(median 5 "${program[@]}")" -v bc="$(median 5 "$@")" \
        -v pm="$(median 3 "${program[@]}")" -v bm="$(median 3 "$@")" \
        'BEGIN { printf "ratio %.2fx %s (processor time %.2fx); memory %.1f MB against %.1f MB, %+.1f MB\n",
                 p / b, name, pc / (bc > 0 ? bc : 1), pm / 1024, bm / 1024, (pm - bm) / 1024 }'
}
against "the bare window" "${bare[@]}"
against "the window with a label" "${label[@]}"
grep -i 'sound' "$log" | sort -u | sed 's/^/program said: /' || true
