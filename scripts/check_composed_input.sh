#!/usr/bin/env bash
# Types a practice sentence of accented letters with real key events under
# Xvfb, on the German, French, Spanish, Portuguese, Czech and Swedish
# layouts: every accent through its dead key (xdotool key dead_acute e ...),
# through the input method of the running program. Each sentence typed
# correctly must leave 0 errors in the stored totals.
# Usage: scripts/check_composed_input.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$PWD/${1:-build}/bin

source scripts/packages.sh
ensure_packages xvfb xauth xdotool x11-xkb-utils xkb-data libx11-data python3

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "check_composed_input: $*" >&2
    exit 1
}

# Each layout with a sentence of at least 30 letters reached through a dead
# key, upper case through Shift.
declare -A sentences=(
    [de]="Vokale: áéíóú àèìòù âêîôû ÁÉÍÓÚ ÀÈÌÒÙ ÂÊÎÔÛ, fête."
    [fr]="Voyelles: âêîôû ëïüöä ÂÊÎÔÛ ËÏÜÖÄ âêîôû ëïüöä, fête."
    [es]="Vocales: áéíóú ÁÉÍÓÚ üÜ àèìòù ÀÈ âêîôû áéíóú, pingüino."
    [pt]="Vogais: ãõ ÃÕ áéíóú ÁÉÍÓÚ âêô ÂÊÔ àèìòù ÀÈ, ação, pão, mãe."
    [cz]="Samohlásky: áéíóúý ÁÉÍÓÚÝ šž ŠŽ áéíóúý ÁÉÍÓÚÝ, žár."
    [se]="Vokaler: éè ÉÈ üë ÜË êâ ÊÂ áàíìóòúù ÁÀÍÌÓÒÚÙ, allé, idé."
)

# keys SENTENCE: the xdotool key names that type SENTENCE, then the closing
# space that ends the line.
keys() {
    python3 - "$1" <<'PY'
import sys, unicodedata
dead = {"\u0301": "dead_acute", "\u0300": "dead_grave", "\u0302": "dead_circumflex",
        "\u0308": "dead_diaeresis", "\u0303": "dead_tilde", "\u030c": "dead_caron"}
named = {" ": "space", ",": "comma", ".": "period", ":": "colon", "ç": "ccedilla"}
out, composed = [], 0
for c in sys.argv[1] + " ":
    parts = unicodedata.normalize("NFD", c)
    if c in named:
        out.append(named[c])
    elif len(parts) == 2:
        out += [dead[parts[1]], parts[0]]
        composed += 1
    elif c.isascii() and c.isalnum():
        out.append(c)
    else:
        sys.exit(f"no key for {c}")
if composed < 30 or len(sys.argv[1]) > 70:
    sys.exit(f"{composed} composed letters in {len(sys.argv[1])} characters")
print(" ".join(out))
PY
}

source scripts/xvfb.sh
start_xvfb || fail "Xvfb did not start"
pids+=("$xvfb")
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -m 0700 "$XDG_RUNTIME_DIR" "$HOME"
unset QT_IM_MODULE XMODIFIERS

# wait_for TITLE PID: until a window of PID with TITLE shows.
wait_for() {
    local begin=$SECONDS
    until xdotool search --onlyvisible --pid "$2" --name "$1" >/dev/null 2>&1; do
        kill -0 "$2" 2>/dev/null || fail "the program ended before \"$1\" showed"
        ((SECONDS - begin < 20)) || fail "no window \"$1\" after 20 s"
        sleep 0.05
    done
}

for layout in de fr es pt cz se; do
    sentence=${sentences[$layout]}
    sequence=$(keys "$sentence") || fail "$layout: sentence too short or long"
    app=$work/$layout
    mkdir -p "$app"
    cp "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$bin"/*.htm "$app/"
    { printf 'header\r\n'; printf '%s\r\n' "$sentence" | iconv -f UTF-8 -t CP1252; } \
        >"$app/Tarvelo Text1.txt"
    printf '%s\n' '["write", "users", "user0", "Ana"]' '["write", "users", "lastuser", "0"]' \
        '["write", "user0", "sessionnumber", "3"]' |
        "$bin/tarvelo-probe" profile "$app" >/dev/null

    setxkbmap "$layout"
    "$bin/tarvelo" --folder "$app" 2>"$work/$layout.log" &
    pid=$!
    pids+=("$pid")
    # No window manager: each window is given the focus, which the input
    # method follows.
    wait_for '^Tarvelo - Select your Options$' "$pid"
    xdotool search --onlyvisible --pid "$pid" --name 'Select your Options' windowfocus --sync
    xdotool key --delay 80 Right Down Return # Ana, Typing Practice
    wait_for "Ana" "$pid"
    xdotool search --onlyvisible --pid "$pid" --name "Ana" windowfocus --sync
    xdotool key --delay 30 Return             # Begin
    # shellcheck disable=SC2086 # one key name per word
    xdotool key --delay 15 $sequence
    sleep 0.3
    xdotool key --delay 80 Escape Escape # stop, to the menu
    wait_for '^Tarvelo - Select your Options$' "$pid"
    xdotool search --onlyvisible --pid "$pid" --name 'Select your Options' windowfocus --sync
    xdotool key Escape # quit
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && fail "$layout: the program did not quit"
    wait "$pid" || fail "$layout: the program failed: $(cat "$work/$layout.log")"

    totals=$(printf '%s\n' '["read", "user0", "completeposition", "0"]' \
        '["read", "user0", "completeerrors", "-1"]' | "$bin/tarvelo-probe" profile "$app" | tr -d '"' |
        paste -sd' ')
    length=$(($(printf '%s' "$sentence" | iconv -f UTF-8 -t CP1252 | wc -c) + 1))
    [[ $totals == "$length 0" ]] ||
        fail "$layout: stored position and errors are '$totals', expected '$length 0'"
    echo "$layout: ${#sentence} characters typed, 0 errors"
done
