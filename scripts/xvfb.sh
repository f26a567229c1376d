# Sourced by the scripts that run the program under X. `start_xvfb` starts
# an Xvfb on a free display, exports DISPLAY once the server answers and sets
# `xvfb` to its process id; it fails when the server does not come up.
# -noreset: a server resetting as its last client leaves refuses connections
# for a while and brings the default keyboard layout back.
start_xvfb() {
    local fd number
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
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
