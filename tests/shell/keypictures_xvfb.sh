#!/bin/sh
# The two key-picture windows on a virtual X display with a window manager that frames them:
# each stands with its whole frame, title bar included, in the middle of the screen, on its first
# showing and on the next one. A screenshot of each first showing is left in the work folder
# (keys1.png, keys2.png).
# Usage: keypictures_xvfb.sh <program folder> <work folder>
set -u
source_folder="$1"
work="$2"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../common/work-copy.sh"
work_copy "$source_folder" "$work"
# No assistant and no welcome window: only the main window and the key pictures.
printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n' >"$work/program/Kvadr.ini"

exec "$here/../common/desktop.sh" sh -c '
    work="$1"
    . "$2/main-window.sh"
    start_program

    # The window $1 with its frame: "left top width height", from its client area and the
    # frame extents the window manager gives it.
    frame() {
        extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n "s/.*= *//p" | tr -d ,)
        [ -n "$extents" ] || return 1
        # xwininfo, not xdotool: xdotool counts the frame twice.
        set -- $(xwininfo -id "$1" | sed -n "s/.*Absolute upper-left [XY]: *//p;s/^ *Width: *//p;s/^ *Height: *//p") $extents
        # x y width height left right top bottom
        echo $(($1 - $5)) $(($2 - $7)) $(($3 + $5 + $6)) $(($4 + $7 + $8))
    }
    # Whether the frame of window $1 stands in the middle of the 1024 x 768 screen (to a pixel).
    centred() {
        set -- $(frame "$1") || return 1
        [ $# -eq 4 ] || return 1
        dx=$(($1 - (1024 - $3) / 2)); dy=$(($2 - (768 - $4) / 2))
        [ ${dx#-} -le 1 ] && [ ${dy#-} -le 1 ]
    }
    window=""
    shown() { window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$window" ]; }
    gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
    active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

    # Whether $1 windows of the program are visible: an open menu is a window of its own.
    menus() { [ "$(xdotool search --all --onlyvisible --pid $pid 2>/dev/null | wc -l)" -eq "$1" ]; }
    # Menu "Nástroje", "Zobrazit ovládání", then the first or the second picture.
    open_picture() {
        xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
        xdotool key alt+n
        await menus 2 || fail "Alt+N opened no menu"
        xdotool key Down Down Right
        await menus 3 || fail "no submenu of the key pictures"
        [ "$1" = 2 ] && xdotool key Down
        xdotool key Return
    }
    for players in 1 2; do
        case $players in 1) title="Ovládání hry 1 hráčem";; 2) title="Ovládání hry 2 hráči";; esac
        for showing in first next; do
            open_picture $players
            await shown "$title" || fail "$title: not shown ($showing showing)"
            await centred "$window" || fail "$title, $showing showing: frame at $(frame "$window"), not centred"
            [ $showing = first ] && import -window root "$work/keys$players.png"
            # The window takes the keyboard as it opens, however soon the window manager lets it.
            await active "$window" || fail "$title: the keyboard is not on it ($showing showing)"
            xdotool key Escape
            await gone "$title" || fail "$title: Esc did not close it"
        done
    done

    kill -TERM $pid 2>/dev/null
    wait $pid 2>/dev/null
    echo "both key pictures centred by their frames"
    exit 0
' keypictures "$work" "$here/../common"
