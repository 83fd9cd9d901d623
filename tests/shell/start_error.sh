#!/bin/sh
# An error raised while the splash is up, on a real display with a window manager: the program
# folder lacks its Data folder, so opening the results table fails while the main window is
# created. The message box must show whole above the splash (none of the splash's cream where the
# box lies over it); after Enter the start goes on to the main window. The screen with the box is
# left as message.png in the work folder.
# Usage: start_error.sh <program folder> <work folder>
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_folder="$1"
work="$2"
. "$here/../common/work-copy.sh"
work_copy "$source_folder" "$work"
rm -rf "$work/program/Data"

exec "$here/../common/desktop.sh" sh -c '
    work="$1"
    . "$2/main-window.sh"
    # Message boxes: dialogs captioned like the program (the splash is captioned so too).
    message_box() {
        for window in $(xdotool search --onlyvisible --name "^Parblok 2000\$" 2>/dev/null); do
            xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q "_NET_WM_WINDOW_TYPE_DIALOG" &&
                echo "$window" && return 0
        done
        return 1
    }
    shown() { message_box >/dev/null; }

    "$work/program/Parblok2000" >"$work/program.log" 2>&1 &
    pid=$!
    await shown || fail "no message box"
    box=$(message_box)
    field() { echo "$geometry" | sed -n "s/^ *$1: *//p"; }
    # The box placed over the splash and shown whole: $reason tells what the last look saw.
    box_whole() {
        # Where the box is on the screen (xdotool misplaces windows a manager has framed).
        geometry=$(xwininfo -id "$box") || { reason="the box went"; return 1; }
        X=$(field "Absolute upper-left X"); Y=$(field "Absolute upper-left Y")
        WIDTH=$(field Width); HEIGHT=$(field Height)
        import -window root "$work/message.png" 2>/dev/null || { reason="no screenshot"; return 1; }
        # The part of the box that lies over the splash (342, 240, 339 x 288).
        left=$((X > 342 ? X : 342)); top=$((Y > 240 ? Y : 240))
        right=$((X + WIDTH < 681 ? X + WIDTH : 681)); bottom=$((Y + HEIGHT < 528 ? Y + HEIGHT : 528))
        [ $left -lt $right ] && [ $top -lt $bottom ] ||
            { reason="the box ($X, $Y, $WIDTH x $HEIGHT) does not lie over the splash"; return 1; }
        cream=$(/usr/bin/convert "$work/message.png" -crop $((right - left))x$((bottom - top))+$left+$top +repage \
                -depth 8 txt:- | grep -c "#FFFFE0")
        [ "$cream" -eq 0 ] || { reason="$cream pixels of the splash show through the box"; return 1; }
    }
    # Each look takes a screenshot: 30 of them take about 20 s.
    reason="never looked"
    tries=30; await box_whole || fail "$reason"; tries=100
    # Enter closes each box of the start; the main window (669 pixels wide) then comes up.
    main_window() {
        for window in $(xdotool search --onlyvisible --name "^Parblok 2000\$" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$window")"
            [ "$WIDTH" -eq 669 ] && return 0
            xdotool windowfocus --sync "$window" key Return 2>/dev/null
        done
        return 1
    }
    await main_window || fail "the start did not go on"
    kill -0 $pid 2>/dev/null || fail "the program ended"
    kill -TERM $pid
    wait $pid 2>/dev/null
    exit 0
' start_error "$work" "$here/../common"
