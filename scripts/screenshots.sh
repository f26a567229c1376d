#!/usr/bin/env bash
# Photographs every window in typical states, driving the real program with
# keystrokes under Xvfb, into screenshots/. Run after a build
# (scripts/setup.sh test or run).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/screenshots
bin=$PWD/build/bin
mkdir -p "$out"

source scripts/packages.sh
ensure_packages xvfb imagemagick openbox xdotool poppler-utils

source scripts/xvfb.sh
make_work_folder
start_desktop 1280x900x24
xdotool mousemove 1279 899 # keep the pointer off the windows

shot() {
    sleep "${2:-1}"
    import -window root "$out/$1.png"
    echo "$out/$1.png"
}
keys() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.15
    done
}
type_text() {
    xdotool type --delay 60 "$1"
}
# install FOLDER: the program with its shipped data.
install() {
    mkdir -p "$1"
    cp "$bin/tarvelo" "$bin"/*.txt "$bin"/*.INI "$bin"/*.jpg "$bin"/*.htm "$1/"
}

# Each program is killed outright once shot: a SIGTERM would leave as the
# close boxes do, and the editor's question about unsaved text would wait.

# Start-up with no data files: the error message.
mkdir -p "$work/empty"
cp "$bin/tarvelo" "$work/empty/"
"$work/empty/tarvelo" &
pid=$!
shot startup-error 2
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

# Two users; the first one has never typed, so the first-use message shows,
# but has practice totals for the statistics window.
install "$work/app"
printf '%s\n' '["write", "users", "user0", "Ada"]' '["write", "users", "user1", "Bram"]' \
    '["write", "users", "lastuser", "0"]' '["write", "user0", "completeposition", "4810"]' \
    '["write", "user0", "completeqseconds", "9600"]' '["write", "user0", "completeerrors", "240"]' |
    "$bin/tarvelo-probe" profile "$work/app" >/dev/null
# Sixty days of practice and lessons for the progress chart.
"$bin/tarvelo-seed-history" "$work/app" user0 Ada 60
# The record sheet's PDF lands in the home folder.
export HOME=$work/home
mkdir -p "$HOME"
"$work/app/tarvelo" &
pid=$!
shot main-menu 2

keys Down Down Right # an empty box: the name dialog
shot name-dialog
keys Escape Up Up

keys Right Down Return # Ada, Typing Practice
shot first-use-message 2
keys Return Return     # close the message, Begin
type_text "Ths"
shot session-practice-error
keys Escape Down Down Down Return Up Up Up Return # AI on, Begin
type_text "Teh qick"
shot session-intelligent-detection

keys Escape Escape Up Return # back to the menu, Typing Lessons
keys Return                  # Begin: the first lesson is introduced
shot lesson-guidance 2
keys Escape
shot session-lesson

keys Escape Escape Down Down Down Return # back to the menu, View Stats
shot statistics 2
xdotool mousemove 414 561 # over the heat-map's E key, for its tip
shot statistics-hover 2
xdotool mousemove 1279 899
keys Up Return                           # Print: Xvfb has no printer
shot statistics-no-printer
keys Return                              # Yes: the file dialog
shot statistics-save-pdf
keys Return                              # save under the offered name
sleep 1
pdftoppm -png -r 50 -singlefile "$HOME/Tarvelo record sheet Ada.pdf" "$out/record-sheet"
echo "$out/record-sheet.png"

keys Escape Down Down Down Down Return   # back to the menu, Edit Typing Text
shot editor 2
type_text " A new sentence."
keys alt+F4                              # the close box with unsaved changes
shot editor-unsaved-question
keys Return                              # No: the editor stays
# The options lie along the bottom edge, Restore Default first.
editor=$(xdotool search --name "Text Editor - Tarvelo" | head -1)
eh=$(xdotool getwindowgeometry --shell "$editor" | sed -n 's/^HEIGHT=//p')
xdotool mousemove --window "$editor" 70 $((eh - 28)) click 1
shot editor-restore-question
keys Return                              # No
xdotool mousemove --window "$editor" 360 $((eh - 28)) click 1
shot language-help
xdotool mousemove 1279 899
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

# The first activity start three days after the first one: the donation request.
printf '%s\n' '["write", "users", "begindate", "2020-01-01"]' '["write", "users", "showeddonate", "False"]' |
    "$bin/tarvelo-probe" profile "$work/app" >/dev/null
"$work/app/tarvelo" &
pid=$!
sleep 2
keys Right Return # Ada, Typing Lessons
shot donation 2
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

# The help page's first screen as Qt's text browser shows it.
"$bin/tarvelo-render-page" "$bin/Dalmor_help.htm" "$out/help-page.png"
echo "$out/help-page.png"

# The game, for a user who has never played it: the rules come first. Level
# 10 makes the letters fall fast enough to pile up within seconds.
install "$work/game"
cp "$bin"/*.wav "$bin"/*.mid "$work/game/"
printf '%s\n' '["write", "users", "user0", "Ada"]' '["write", "users", "lastuser", "0"]' \
    '["write", "user0", "gamelevel", "10"]' | "$bin/tarvelo-probe" profile "$work/game" >/dev/null
SDL_AUDIODRIVER=dummy "$work/game/tarvelo" &
pid=$!
sleep 2
keys Right Down Down Right # Ada, Play Game
shot game-rules 2
keys Return
shot game-before
keys Return # Begin
shot game-playing 6
# Red pixels: the line under the falling area, and "Raising Level" when it shows.
red() { convert "$1" -fill black +opaque red -format '%[fx:mean*w*h]' info:; }
base=$(red "$out/game-playing.png")
for _ in $(seq 60); do # sweep the falling letters away until the level rises
    type_text "qwertyuiopasdfghjklzxcvbnm"
    import -window root "$work/raising.png"
    if (($(red "$work/raising.png" | cut -d. -f1) > ${base%.*} + 200)); then
        cp "$work/raising.png" "$out/game-raising.png"
        echo "$out/game-raising.png"
        break
    fi
done
keys space
shot game-paused
keys space Down Return # End Game: the high scores
shot game-high-scores 2
keys Escape Down Down Down Down Down Return # Modify Keys
shot game-key-panel
keys Escape Escape # the panel, then the game
shot game-back-to-menu
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
