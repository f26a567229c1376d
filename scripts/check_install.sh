#!/usr/bin/env bash
# Checks the program as installed: stages `cmake --install` into a DESTDIR,
# compares the file list, validates the desktop and AppStream files, builds
# the Debian package, then starts the staged program under Xvfb with a fresh
# HOME (and with folder names that are not UTF-8) until its main menu shows,
# and checks the user folder was seeded, that the start opened neither the
# audio module nor the history, and that the game opens the installed module;
# last, it practises and ends the program with SIGTERM, which must keep the
# run. Prints the package size, the installed size and the times to the main
# menu of a first start that seeds and of a later start.
# Usage: scripts/check_install.sh [BUILD_FOLDER]   (after a build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

source scripts/packages.sh
ensure_packages xvfb xdotool desktop-file-utils appstream dpkg-dev file

source scripts/xvfb.sh
make_work_folder
fail() {
    echo "check_install: $*" >&2
    exit 1
}

# 1. Staged install, the file list.
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
actual=$(cd "$stage" && find . -type f | sort)
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
module=./usr/${libdir:-lib}/tarvelo/modules/libtarvelo_audio.so
expected=$(
    sort <<LIST
./usr/bin/tarvelo
$module
./usr/share/applications/example.tarvelo.Tarvelo.desktop
./usr/share/icons/hicolor/128x128/apps/tarvelo.png
./usr/share/icons/hicolor/16x16/apps/tarvelo.png
./usr/share/icons/hicolor/22x22/apps/tarvelo.png
./usr/share/icons/hicolor/24x24/apps/tarvelo.png
./usr/share/icons/hicolor/256x256/apps/tarvelo.png
./usr/share/icons/hicolor/32x32/apps/tarvelo.png
./usr/share/icons/hicolor/48x48/apps/tarvelo.png
./usr/share/icons/hicolor/64x64/apps/tarvelo.png
./usr/share/icons/hicolor/scalable/apps/tarvelo.svg
./usr/share/man/man6/tarvelo.6
./usr/share/metainfo/example.tarvelo.Tarvelo.metainfo.xml
LIST
)
# The data files are whatever data/ ships; every one must be installed.
data_expected=$(cd data && find . -maxdepth 1 -type f ! -name CMakeLists.txt -printf './usr/share/tarvelo/%P\n')
expected=$(printf '%s\n%s\n' "$expected" "$data_expected" | sort)
if [[ $actual != "$expected" ]]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "installed files differ from the expected list (< expected, > installed)"
fi
file "$stage/usr/bin/tarvelo" | grep -q 'ELF 64-bit' || fail "bin/tarvelo is no program"
file "$stage/$module" | grep -q 'ELF 64-bit.*shared object' || fail "$module is no library"
for size in 16 22 24 32 48 64 128 256; do
    file "$stage/usr/share/icons/hicolor/${size}x$size/apps/tarvelo.png" |
        grep -q "PNG image data, $size x $size" || fail "icon $size is not ${size}x$size"
done
echo "install: $(wc -l <<<"$actual") files, file list as expected"

# 2. Desktop entry, AppStream metadata, manual page.
desktop-file-validate "$stage/usr/share/applications/example.tarvelo.Tarvelo.desktop"
appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/example.tarvelo.Tarvelo.metainfo.xml" >/dev/null
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -l "$stage/usr/share/man/man6/tarvelo.6" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "manual page: $warnings"
fi
echo "desktop file, metainfo and manual page valid"

# 3. The Debian package.
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
    fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/tarvelo_*_amd64.deb)
depends=$(dpkg-deb -f "$deb" Depends)
# The audio module's libraries come from dpkg-shlibdeps reading the module.
for needed in libqt6widgets6 libc6 libsdl2-mixer libfluidsynth timgm6mb-soundfont xkb-data libxkbcommon0 \
    qt6-wayland; do
    grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed: $depends"
done
# Listed whole first: `grep -q` quitting early would break the pipe under pipefail.
contents=$(dpkg-deb -c "$deb")
grep -q '/usr/share/tarvelo/Tarvelo.INI$' <<<"$contents" || fail "package lacks the data files"
grep -q "${module#.}\$" <<<"$contents" || fail "package lacks the audio module"
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
[[ -z $(grep -E 'post|pre' <<<"$control") ]] ||
    fail "package has maintainer scripts; users' folders must never be touched"
echo "package: $(basename "$deb"), $(($(stat -c %s "$deb") / 1024)) KiB," \
    "installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "depends: $depends"

# 4. The installed program under Xvfb.
start_xvfb || fail "Xvfb did not start"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset XDG_DATA_HOME
log=$work/program.log

# shown PID TITLE-PATTERN BEGIN WHAT: waits until PID shows a window whose
# title matches, failing after 20 s from BEGIN (date +%s%N) or when PID ends.
shown() {
    until xdotool search --onlyvisible --pid "$1" --name "$2" >/dev/null 2>&1; do
        kill -0 "$1" 2>/dev/null || fail "$4 ended without showing $2: $(cat "$log")"
        (($(date +%s%N) - $3 < 20000000000)) || fail "$4: no $2 after 20 s: $(cat "$log")"
        sleep 0.002
    done
}

# start PROGRAM [ARGS...]: milliseconds until the main menu shows (or fails),
# and the processor time the program used by then ("wall/cpu"): on a busy
# machine the second is the steadier figure. The program is killed outright:
# a SIGTERM would leave as the close box does and store its placement, and the
# seeded files are compared with the installed ones afterwards.
tick_ms=$((1000 / $(getconf CLK_TCK)))
start() {
    local begin end pid cpu
    begin=$(date +%s%N)
    "$@" 2>"$log" &
    pid=$!
    shown "$pid" '^Tarvelo - Select your Options$' "$begin" "$*"
    end=$(date +%s%N)
    cpu=$(awk -v tick="$tick_ms" '{ print ($14 + $15) * tick }' "/proc/$pid/stat")
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((end - begin) / 1000000))/$cpu"
}
# seeded FOLDER: every installed data file is in FOLDER, the shipped ones equal.
seeded() {
    local name
    for name in "$stage"/usr/share/tarvelo/*; do
        cmp -s "$name" "$1/$(basename "$name")" || fail "$1: $(basename "$name") not seeded"
    done
}

first=()
for run in 1 2 3 4 5; do
    export HOME=$work/home$run
    mkdir -p "$HOME"
    first+=("$(start "$stage/usr/bin/tarvelo")")
    seeded "$HOME/.local/share/tarvelo"
done
later=()
for _ in 1 2 3 4 5 6 7; do
    later+=("$(start "$stage/usr/bin/tarvelo")")
done
# median FIELD RUNS...: the median of field 1 (wall) or 2 (cpu) of "wall/cpu" runs.
median() {
    local field=$1
    shift
    printf '%s\n' "$@" | cut -d/ -f"$field" | sort -n | sed -n "$((($# + 1) / 2))p"
}
echo "to the main menu (wall/cpu ms): first start, seeding: median" \
    "$(median 1 "${first[@]}")/$(median 2 "${first[@]}") (runs: ${first[*]});" \
    "later start: median $(median 1 "${later[@]}")/$(median 2 "${later[@]}") (runs: ${later[*]})"

# A changed settings file survives a start; a changed lesson file is refreshed.
ini=$HOME/.local/share/tarvelo/Tarvelo.INI
printf '[users]\r\nlastuser=0\r\nuser0=Ada\r\n' >"$ini"
echo stale >"$HOME/.local/share/tarvelo/Tarvelo Lessons.txt"
start "$stage/usr/bin/tarvelo" >/dev/null
grep -q 'user0=Ada' "$ini" || fail "the settings file was overwritten"
cmp -s "$stage/usr/share/tarvelo/Tarvelo Lessons.txt" "$HOME/.local/share/tarvelo/Tarvelo Lessons.txt" ||
    fail "the lesson file was not refreshed"

# --folder, and folder names that are not UTF-8.
odd=$work/$'caf\xe9-\xff'
start "$stage/usr/bin/tarvelo" --folder "$odd/chosen" >/dev/null
seeded "$odd/chosen"
HOME=$odd/home start "$stage/usr/bin/tarvelo" >/dev/null
seeded "$odd/home/.local/share/tarvelo"
mkdir -p "$odd/portable"
cp "$stage/usr/bin/tarvelo" "$stage"/usr/share/tarvelo/* "$odd/portable/"
HOME=$work/nohome start "$odd/portable/tarvelo" >/dev/null
[[ ! -e $work/nohome ]] || fail "a portable copy made a user folder"
echo "installed program: main menu shown; user folder seeded; --folder and non-UTF-8 folders work"

# 5. Sound: the start opens neither the audio module nor the history; the
# game window opens the installed module, which plays on SDL's dummy device.
export HOME=$work/sound
mkdir -p "$HOME"
begin=$(date +%s%N)
SDL_AUDIODRIVER=dummy "$stage/usr/bin/tarvelo" 2>"$log" &
pid=$!
shown "$pid" '^Tarvelo - Select your Options$' "$begin" "the sound check"
sleep 1
grep -q libtarvelo_audio /proc/$pid/maps && fail "the start opened the audio module"
grep -qE 'SDL|fluidsynth' /proc/$pid/maps && fail "the start mapped the audio libraries"
[[ ! -e "$HOME/.local/share/tarvelo/Tarvelo History.sqlite" ]] || fail "the start opened the history"
# A new user, then the menu's third row: the game.
xdotool search --onlyvisible --pid "$pid" --name '^Tarvelo - Select your Options$' windowfocus --sync
xdotool key Right
shown "$pid" '^Tarvelo$' "$begin" "the sound check"
xdotool type Ada
xdotool key Return
sleep 0.5
xdotool key Down Down Return
shown "$pid" "^Dalmor's Typing Game" "$begin" "the sound check"
for _ in $(seq 100); do
    grep -q "$stage/${module#./}" /proc/$pid/maps && break
    sleep 0.1
done
grep -q "$stage/${module#./}" /proc/$pid/maps || fail "the game did not open $module: $(cat "$log")"
sleep 1
! grep '^Tarvelo: ' "$log" || fail "the installed module plays no sound"
kill "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    fail "SIGTERM does not end the program once the audio device is open"
fi
echo "sound: the start maps no audio library; the game opens the installed audio module"

# 6. A practice run in progress when the program is ended (SIGTERM, as at
# logout) is recorded up to its last key, and the program exits normally.
export HOME=$work/typist
mkdir -p "$HOME"
"$stage/usr/bin/tarvelo" 2>"$log" &
pid=$!
shows() { shown "$pid" "$1" "$(date +%s%N)" "the SIGTERM check"; }
shows '^Tarvelo - Select your Options$'
xdotool key Return # the first user box asks for a name
shows '^Tarvelo$'
xdotool type Ann
xdotool key Return
sleep 0.3
xdotool key Down Return # Typing Practice
shows '^Tarvelo - Relatively Important Message$'
sleep 1.2 # the box ignores the keys of its first second
xdotool key Return
shows '^Tarvelo - Welcome Ann$'
xdotool key Return # Begin
typed="The quick brown fox jumps over the lazy dog; the lazy dog sleeps on and on and on."
xdotool type --delay 15 "$typed"
sleep 1
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
((status == 0)) || fail "ended by SIGTERM with exit status $status: $(cat "$log")"
recorded=$(python3 -c 'import sqlite3, sys
print(sqlite3.connect(sys.argv[1]).execute("SELECT group_concat(characters) FROM runs").fetchone()[0])' \
    "$HOME/.local/share/tarvelo/Tarvelo History.sqlite")
[[ $recorded == "${#typed}" ]] || fail "SIGTERM: runs recorded \"$recorded\", typed ${#typed}"
echo "SIGTERM during practice: the run of ${#typed} characters recorded, exit status 0"
