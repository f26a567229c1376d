#!/usr/bin/env bash
# Start-up time and memory: from process start until the main menu is mapped
# on an Xvfb display, median of 10 runs, and the resident memory then.
# Usage: bench/startup_bench.sh [build/bin]
set -euo pipefail
bin=$(realpath "${1:-build/bin}")
source "$(dirname "$0")/../scripts/packages.sh"
ensure_packages xvfb xdotool

work=$(mktemp -d)
display=:${BENCH_DISPLAY:-95}
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1
cp "$bin/tarvelo" "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$work/" 2>/dev/null || true

times=()
rss=()
for run in $(seq 10); do
    start=$(date +%s%N)
    "$work/tarvelo" &
    pid=$!
    until xdotool search --onlyvisible --name 'Tarvelo - Select your Options' >/dev/null 2>&1; do
        sleep 0.002
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    rss+=($(awk '/VmRSS/ {print $2}' "/proc/$pid/status"))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "start-up to main menu: median $(median "${times[@]}") ms (runs: ${times[*]})"
echo "resident memory at the main menu: median $(($(median "${rss[@]}") / 1024)) MB"
