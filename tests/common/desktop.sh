#!/bin/sh
# Runs a command on a virtual X display of 1024 x 768 with a window manager, as a player meets the
# program: windows that stay on top are kept above the others, new windows take the keyboard.
# PARBLOK_WM chooses the manager: openbox (the default), metacity or xfwm4 (these two as the
# desktops that use them run them, in a session bus of their own; set XDG_CURRENT_DESKTOP too for
# the desktop's look). Usage: desktop.sh <command> [arguments]; exits 77 when the tools are missing.
set -u
wm=${PARBLOK_WM:-openbox}
case $wm in
    openbox) start_wm="openbox --sm-disable"; bus="" ;;
    metacity) start_wm="metacity --sm-disable --compositor=none"; bus=dbus-launch ;;
    xfwm4) start_wm="xfwm4 --compositor=off --sm-client-disable"; bus=dbus-launch ;;
    *) echo "unknown window manager $wm"; exit 1 ;;
esac
for tool in xvfb-run ${start_wm%% *} ${bus:-xvfb-run} xprop xwininfo xdotool import; do
    command -v $tool >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
unset QT_QPA_PLATFORM
[ -n "$bus" ] && bus="$bus --exit-with-session"
export PARBLOK_START_WM="$start_wm"
exec xvfb-run -a -s "-screen 0 1024x768x24" $bus sh -c '
    $PARBLOK_START_WM >/dev/null 2>&1 &
    manager=$!
    # The manager is running once it names its check window on the root window.
    n=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        n=$((n + 1))
        [ $n -lt 300 ] || { echo "the window manager did not start"; exit 1; }
        sleep 0.1
    done
    "$@"
    status=$?
    kill $manager 2>/dev/null
    exit $status
' desktop "$@"
