# Sourced by the scripts that run the program under X.

# make_work_folder: makes the scratch folder `work`; on exit it is removed and
# the Xvfb that start_xvfb started is stopped.
make_work_folder() {
    work=$(mktemp -d)
    xvfb=
    trap '[[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
}

# start_xvfb [SCREEN]: starts an Xvfb with the screen SCREEN (WIDTHxHEIGHTxDEPTH,
# 1280x1024x24 by default) on a free display, exports DISPLAY once the server
# answers and sets `xvfb` to its process id; it fails when the server does not
# come up. -noreset: a server resetting as its last client leaves refuses
# connections for a while and brings the default keyboard layout back.
start_xvfb() {
    local fd number
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -noreset -screen 0 "${1:-1280x1024x24}" >/dev/null 2>&1 &
    xvfb=$!
    read -r -t 10 -u "$fd" number || return 1
    exec {fd}>&-
    export DISPLAY=:$number
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

# start_desktop SCREEN: start_xvfb with a window manager, for pictures of
# windows with their frames; exits when the server does not come up.
start_desktop() {
    start_xvfb "$1" || {
        echo "Xvfb did not start" >&2
        exit 1
    }
    openbox >/dev/null 2>&1 &
    sleep 1
}
