#!/bin/sh
# wayland_identity.sh BREVORN APP_ID
# What the window tells a Wayland compositor: docks find its desktop entry and icon by the app_id,
# and the size stays fixed only if the minimum and maximum agree. Where the compositor draws no
# frame, as weston, Qt draws its own, which the window geometry includes and, from Qt 6.8, the
# minimum and maximum too; so the client area is read again with Qt's frame turned off.
set -eu
brevorn=$1
app_id=$2
command -v weston >/dev/null || { echo "weston not found: install weston" >&2; exit 1; }
runtime=$(mktemp -d)
pids=
trap 'kill $pids 2>/dev/null; wait; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
# WAYLAND_DEBUG names an object "xdg_toplevel@15" up to libwayland 1.21, "xdg_toplevel#15" after.
object='[@#][0-9]*\.'

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

# Starts the program with the environment given, and leaves its requests in $runtime/NAME once
# it has set its window geometry, which follows the compositor's first configure.
run() {
    name=$1
    shift
    env "$@" WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
        "$brevorn" 2>"$runtime/$name" &
    pids="$pids $!"
    wait_for "$runtime/$name" "xdg_surface$object""set_window_geometry" || {
        cat "$runtime/$name" >&2
        exit 1
    }
}

# The last "WIDTH, HEIGHT" that FILE shows OBJECT asking with REQUEST: a size may be restated.
last_size() {
    grep -o "$2$object$3([0-9, -]*)" "$1" | tail -1 | sed 's/.*(\(.*\))/\1/; s/^-\{0,1\}[0-9]*, -\{0,1\}[0-9]*, //'
}

status=0
fail() {
    echo "$1" >&2
    status=1
}

run framed
for request in "set_title(\"Quillane\")" "set_app_id(\"$app_id\")"; do
    grep "xdg_toplevel$object" "$runtime/framed" | grep -qF ".$request" ||
        fail "the window never sent xdg_toplevel.$request"
done
min=$(last_size "$runtime/framed" xdg_toplevel set_min_size)
max=$(last_size "$runtime/framed" xdg_toplevel set_max_size)
[ "$min" = "$max" ] || fail "the minimum size ($min) is not the maximum ($max)"

run bare QT_WAYLAND_DISABLE_WINDOWDECORATION=1
for request in set_min_size set_max_size; do
    size=$(last_size "$runtime/bare" xdg_toplevel $request)
    [ "$size" = "312, 112" ] || fail "without a frame, xdg_toplevel.$request($size), not (312, 112)"
done
size=$(last_size "$runtime/bare" xdg_surface set_window_geometry)
[ "$size" = "312, 112" ] || fail "without a frame, the window is $size, not 312, 112"

if [ $status -ne 0 ]; then
    grep -h "xdg_toplevel$object\|set_window_geometry" "$runtime/framed" "$runtime/bare" >&2
fi
exit $status
