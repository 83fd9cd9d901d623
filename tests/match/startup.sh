#!/bin/sh
# Starts the real program on a virtual X display and checks the main window on the screen: both
# wells black where the form puts them, the statistics panels grey between them, and no message box
# over the window (the results table opened). Usage: startup.sh <program> <work folder>
set -u
program="$1"
work="$2"
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run is not installed"
    exit 77
fi
mkdir -p "$work"
rm -f "$work"/shot*.png
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    program="$1"; work="$2"
    "$program" >"$work/program.log" 2>&1 &
    pid=$!
    # The window is centred on the 1024 x 768 screen and 669 pixels wide; its vertical centre line
    # (y 384) crosses both wells and the first statistics panel.
    pixel() { /usr/bin/convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: 2>/dev/null; }
    status=1
    tries=0
    while [ $tries -lt 60 ]; do
        tries=$((tries + 1))
        sleep 0.5
        kill -0 $pid 2>/dev/null || { echo "the program ended at start"; cat "$work/program.log"; exit 1; }
        import -window root "$work/shot.png" 2>/dev/null || continue
        well1=$(pixel 283 384); well2=$(pixel 742 384); panel=$(pixel 512 384); outside=$(pixel 5 5)
        if [ "$well1" = 000000 ] && [ "$well2" = 000000 ] && [ "$panel" = C0C0C0 ] && [ "$outside" = 000000 ]; then
            status=0
            break
        fi
    done
    if [ $status -ne 0 ]; then
        echo "main window not as expected: well1=$well1 well2=$well2 panel=$panel outside=$outside"
        cat "$work/program.log"
    fi
    kill -TERM $pid 2>/dev/null
    wait $pid 2>/dev/null
    exit $status
' startup "$program" "$work"
