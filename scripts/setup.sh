#!/usr/bin/env bash
# Installs what is missing, builds, then starts the program ("run") or runs
# every test ("test"): the normal build with warnings as errors, the program
# as installed (staged install, package, a start under Xvfb), then the logic
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then every
# fuzz harness for 30 seconds (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
    echo "usage: $0 run|test" >&2
    exit 2
fi

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
    libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    fonts-liberation xvfb xauth imagemagick python3
    desktop-file-utils appstream librsvg2-bin dpkg-dev file xdotool man-db poppler-utils
    x11-xkb-utils xkb-data libx11-data libxkbcommon-dev libxcb1-dev weston qt6-wayland
    clang libclang-rt-14-dev ccache
)
source scripts/packages.sh
ensure_packages "${packages[@]}"

jobs=$(nproc)
# Compile through ccache; paths relative to the checkout, so any clone of the
# project reuses what another built.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DTARVELO_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j "$jobs"

if [[ $mode == run ]]; then
    exec build/bin/tarvelo
fi

(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
scripts/check_layers.sh
scripts/check_install.sh build
scripts/check_composed_input.sh build
scripts/check_wayland.sh build

cmake -S . -B build-sanitize -G Ninja -DTARVELO_WERROR=ON -DTARVELO_SANITIZE=ON "${launcher[@]}" \
    -DTARVELO_WITH_QT=OFF -DTARVELO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")

scripts/fuzz.sh 30
