# start_xvfb DIR: starts Xvfb on a display it finds free, its log in DIR, and exports DISPLAY;
# xvfb_pid is the server's. Sourced by whatever needs a display of its own.
# -noreset: by default the server resets whenever its last client leaves, dropping whoever
# connects meanwhile and what was left on the root window (the accessibility bus address).
start_xvfb() {
    local number
    mkfifo "$1/displayfd"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$1/displayfd" \
        >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    if ! read -r -t 10 number <"$1/displayfd"; then
        echo "Xvfb did not start:" >&2
        cat "$1/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=:$number
}
