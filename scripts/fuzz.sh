#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (build-fuzz/, apart from
# the normal build) and runs each for SECONDS (default 30) from its committed
# seed corpus. New inputs go to build-fuzz/corpus/, crashes to
# build-fuzz/artifacts/. Fails when a harness finds a crash.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is missing (scripts/setup.sh installs it)" >&2
    exit 1
fi
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$(nproc)"

mkdir -p build-fuzz/artifacts
status=0
for harness in build-fuzz/*_fuzz; do
    name=$(basename "$harness" _fuzz)
    work=build-fuzz/corpus/$name
    mkdir -p "$work"
    log=build-fuzz/$name.log
    if "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/"$name"- \
        "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
        runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
        echo "fuzz $name: ${runs:-?} executions in ${seconds} s, no finding"
    else
        echo "fuzz $name: FAILED, see $log" >&2
        tail -n 40 "$log" >&2
        status=1
    fi
done
exit $status
