#!/bin/sh
# Runs a command on a virtual X display of 1024 x 768 with a window manager (Openbox), as a player
# meets the program: windows that stay on top are kept above the others, new windows take the
# keyboard. Usage: desktop.sh <command> [arguments]; exits 77 when the tools are missing.
set -u
for tool in xvfb-run openbox xprop xwininfo xdotool import; do
    command -v $tool >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    openbox --sm-disable >/dev/null 2>&1 &
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
