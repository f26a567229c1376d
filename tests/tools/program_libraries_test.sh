#!/usr/bin/env bash
# The program starts without the audio libraries: SDL and FluidSynth come
# with the audio module, which lies beside the program and opens at run time.
# Usage: program_libraries_test.sh PROGRAM
set -euo pipefail
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
grep -q '^libQt6Widgets' <<<"$needed" || { echo "no libraries read from $1" >&2; exit 1; }
if grep -iE 'sdl|fluidsynth' <<<"$needed" >&2; then
    echo "the program links the audio libraries above" >&2
    exit 1
fi
[[ -f $(dirname "$1")/libtarvelo_audio.so ]] || { echo "no audio module beside $1" >&2; exit 1; }
