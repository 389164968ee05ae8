#!/bin/sh
# wayland_identity.sh BREVORN APP_ID
# What the window tells a Wayland compositor: docks find its desktop entry and icon by the app_id,
# and the size stays fixed only if the minimum and maximum agree.
set -eu
brevorn=$1
app_id=$2
command -v weston >/dev/null || { echo "weston not found: install weston" >&2; exit 1; }
runtime=$(mktemp -d)
pids=
trap 'kill $pids 2>/dev/null; wait; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

# Waits up to ten seconds for a line of FILE to match PATTERN.
wait_for() {
    tries=0
    until grep -q "$2" "$1" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || return 1
        sleep 0.1
    done
}

weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
pids=$!
until [ -S "$runtime/wayland-test" ]; do
    kill -0 $pids 2>/dev/null || { cat "$runtime/weston.log" >&2; exit 1; }
    sleep 0.1
done

# Every request below precedes the compositor's first configure.
WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    "$brevorn" 2>"$runtime/protocol" &
pids="$pids $!"
wait_for "$runtime/protocol" "xdg_toplevel@[0-9]*\.configure" || {
    cat "$runtime/protocol" >&2
    exit 1
}
status=0
for request in "set_title(\"Quillane\")" "set_app_id(\"$app_id\")" \
    "set_min_size(312, 112)" "set_max_size(312, 112)"; do
    grep "xdg_toplevel@[0-9]*\." "$runtime/protocol" | grep -qF ".$request" || {
        echo "the window never sent xdg_toplevel.$request" >&2
        status=1
    }
done
[ $status -eq 0 ] || grep "xdg_toplevel" "$runtime/protocol" >&2
exit $status
