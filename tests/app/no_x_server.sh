#!/bin/sh
# The program started where no X server can be reached: a Wayland session without XWayland, no
# display at all, a display that does not answer. Each start must end with exit code 1 and the
# Czech message, never with the platform's abort.
# Usage: no_x_server.sh <program>
set -u
program="$1"
failures=0
# An X display number that nothing on this machine serves.
dead=4000
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

check() {
    name="$1"
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM \
        XDG_RUNTIME_DIR="$runtime" "$@" "$program" >"$runtime/out" 2>"$runtime/err" </dev/null
    status=$?
    if [ $status -ne 1 ]; then
        echo "FAIL $name: exit code $status"; failures=$((failures + 1))
    elif ! grep -q "^Parblok 2000 potřebuje ke spuštění X server nebo XWayland" "$runtime/err"; then
        echo "FAIL $name: no message"; failures=$((failures + 1))
    elif [ "$(wc -l <"$runtime/err")" -ne 1 ]; then
        echo "FAIL $name: more than the message"; failures=$((failures + 1))
    else
        echo "ok $name: $(cat "$runtime/err")"
    fi
}
check "Wayland without XWayland" WAYLAND_DISPLAY=wayland-nikde XDG_SESSION_TYPE=wayland
check "no display" XDG_SESSION_TYPE=tty
check "X server not answering" DISPLAY=":$dead"
check "Wayland, XWayland not answering" WAYLAND_DISPLAY=wayland-nikde XDG_SESSION_TYPE=wayland DISPLAY=":$dead"
check "X11 chosen by the user" QT_QPA_PLATFORM=xcb
[ $failures -eq 0 ]
