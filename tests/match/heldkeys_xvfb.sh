#!/bin/sh
# Two players holding keys at once, on a virtual X display whose key repeat is the X server's:
# in a two-player match the left player holds S (one row down) and then the right player holds K.
# The X server repeats only K from then on; both pieces must keep going down all the same, so that
# within a few seconds pieces have landed at the bottom of both wells (gravity alone would take
# twenty seconds to bring the first one down). Screenshots are left in the work folder.
# Usage: heldkeys_xvfb.sh <program> <work folder>
set -u
program="$1"
work="$2"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../common/work-copy.sh"
work_copy "$(dirname "$program")" "$work"
printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n' >"$work/program/Kvadr.ini"
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
unset QT_QPA_PLATFORM

exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    work="$1"
    . "$2/main-window.sh"
    start_program
    # The selection balloon of two players, by its size; its "Trénink" choice is clicked.
    selection() {
        for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: 250x150" || continue
            set -- $(xdotool getwindowgeometry "$id" | sed -n "s/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p")
            xdotool mousemove $(($1 + 60)) $(($2 + 45)) click 1
            return 0
        done
        return 1
    }
    xdotool windowfocus --sync "$main"
    xdotool key alt+s
    sleep 1
    xdotool key 2
    await selection || fail "no selection of two players"
    xdotool mousemove 5 5
    has_keyboard() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ]; }
    await has_keyboard || fail "the main window did not get the keyboard back"

    set -- $(xdotool getwindowgeometry "$main" | sed -n "s/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p")
    x=$1; y=$2
    # The bottom two rows of the well at $1 pixels into the window (the wells are 190 pixels
    # wide, 358 high, 17 pixels a row): some of their cells are no longer black once a piece has
    # landed there.
    filled() { convert "$work/held.png" -crop 180x34+$(($x + $1))+$(($y + 374)) +repage -format "%[fx:mean>0.02]" info:; }
    landed() {
        import -window root "$work/held.png" 2>/dev/null || return 1
        left=$(filled 13); right=$(filled 472)
        [ "$left" = 1 ] && [ "$right" = 1 ]
    }
    left=0; right=0
    xdotool keydown s
    sleep 0.3
    xdotool keydown k
    # Held keys step a piece down 25 times a second: both wells have pieces at the bottom within
    # about two seconds, long before gravity alone would bring one there.
    tries=16; await landed; tries=100
    xdotool keyup s keyup k
    [ "$right" = 1 ] || fail "the right-hand pieces did not keep going down while K was held"
    [ "$left" = 1 ] || fail "the left-hand pieces stopped going down once K was held as well"
    kill -TERM $pid 2>/dev/null
    wait $pid 2>/dev/null
    echo "both players held their keys: pieces landed in both wells"
    exit 0
' heldkeys "$work" "$here/../common"
