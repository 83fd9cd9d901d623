#!/bin/sh
# Menus and game keys on a virtual X display with a window manager, driven by the mouse and the
# keyboard as a player does: a menu of the menu bar is opened with a click and left with Esc (or
# with a click into the window); then its underlined letter and P are typed. The letter must not
# open the menu again: it goes to the game like P, which shows or hides "Pauza" over the covered
# well. Alt+letter still opens a menu. A screenshot of each round is left in the work folder.
# Usage: menus_xvfb.sh <program> <work folder>
set -u
program="$1"
work="$2"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../common/work-copy.sh"
work_copy "$(dirname "$program")" "$work"
# No assistant and no welcome window: the main window is the program's only window.
printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n' >"$work/program/Kvadr.ini"

exec "$here/../common/desktop.sh" sh -c '
    work="$1"
    . "$2/main-window.sh"
    start_program
    xdotool windowactivate --sync "$main" 2>/dev/null
    # Where the client area stands (xdotool counts the frame of a window manager twice).
    left=$(xwininfo -id "$main" | sed -n "s/.*Absolute upper-left X: *//p")
    top=$(xwininfo -id "$main" | sed -n "s/.*Absolute upper-left Y: *//p")

    # An open menu is a window of its own beside the main window.
    windows() { xdotool search --all --onlyvisible --pid $pid 2>/dev/null | wc -l; }
    menu_open() { [ "$(windows)" -gt 1 ]; }
    menu_closed() { [ "$(windows)" -eq 1 ]; }
    # "Pauza" over the covered (black) left well: anything but black in its middle.
    pause_shown() {
        import -window root "$work/round.png" 2>/dev/null || return 1
        [ "$(/usr/bin/convert "$work/round.png" -crop 160x100+$((left + 15))+$((top + 170)) -format "%[max]" info:)" != 0 ]
    }
    pause_hidden() { ! pause_shown; }

    # One round: click the menu title at $1 pixels from the left, Esc, then leave by "$2" (esc or
    # click), type the letter $3 and P; "Pauza" must then be $4 (shown or hidden).
    round() {
        xdotool mousemove $((left + $1)) $((top + 8)) click 1
        await menu_open || fail "$3: the click opened no menu"
        xdotool key Escape
        await menu_closed || fail "$3: Esc did not close the menu"
        if [ "$2" = esc ]; then
            xdotool key Escape
        else
            xdotool mousemove $((left + 300)) $((top + 200)) click 1
        fi
        xdotool mousemove 5 5
        xdotool key $3 p
        await pause_$4 || fail "$3 after $2: \"Pauza\" is not $4 (a menu took the keys)"
        cp "$work/round.png" "$work/round-$3-$2.png"
        menu_closed || fail "$3 after $2: a menu is open"
    }
    pause_hidden || fail "\"Pauza\" shown at the start"
    round 20 esc s shown    # "Soubor"
    round 70 esc n hidden   # "Nástroje"
    round 130 esc v shown   # "Nápověda"
    round 20 click s hidden

    # Alt+letter still opens its menu, and Esc closes it again.
    xdotool key alt+s
    await menu_open || fail "Alt+S opened no menu"
    xdotool key Escape Escape
    await menu_closed || fail "Esc did not close the menu opened by Alt+S"

    kill -TERM $pid 2>/dev/null
    wait $pid 2>/dev/null
    echo "letters reach the game once the menus are closed"
    exit 0
' menus "$work" "$here/../common"
