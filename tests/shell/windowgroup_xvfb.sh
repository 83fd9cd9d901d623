#!/bin/sh
# The program's windows as the window manager (PARBLOK_WM, see desktop.sh) sees them, on a virtual
# X display. The welcome window and the assistant belong to the main window (WM_TRANSIENT_FOR):
# minimising the main window hides them too, and restoring it brings them back with the keyboard
# on the welcome window. The main window, of a fixed size, offers no maximising; a key-picture
# window, which disables the main window while it is open, belongs to it as well and is never left
# minimised on its own.
# Usage: windowgroup_xvfb.sh <program folder> <work folder>
set -u
source_folder="$1"
work="$2"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../common/work-copy.sh"
work_copy "$source_folder" "$work"
printf '[Nastaveni]\r\nPomocnik=1\r\nUvitani=1\r\n' >"$work/program/Kvadr.ini"

exec "$here/../common/desktop.sh" sh -c '
    work="$1"
    . "$2/main-window.sh"
    window=""
    shown() { window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$window" ]; }
    gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
    active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
    # Whether window $1 is transient for the main window.
    belongs() { [ "$(xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | sed -n "s/.*# //p")" = "$(printf 0x%x "$main")" ]; }
    allows() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null | grep -q "_NET_WM_ACTION_$2"; }
    actions_known() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null | grep -q "_NET_WM_ACTION_CLOSE"; }
    menus() { [ "$(xdotool search --all --onlyvisible --pid $pid 2>/dev/null | wc -l)" -eq "$1" ]; }

    start_program
    await actions_known "$main" || fail "the window manager names no actions of the main window"
    allows "$main" MAXIMIZE_HORZ && fail "the main window offers maximising"
    allows "$main" MINIMIZE || fail "the main window offers no minimising"

    await shown "Pomocník" || fail "no assistant"
    assistant=$window
    await shown "Uvítání" || fail "no welcome window"
    welcome=$window
    belongs "$assistant" || fail "the assistant does not belong to the main window"
    belongs "$welcome" || fail "the welcome window does not belong to the main window"

    xdotool windowminimize "$main"
    await gone "Uvítání" || fail "minimising the main window left the welcome window shown"
    await gone "Pomocník" || fail "minimising the main window left the assistant shown"
    xdotool windowactivate "$main" 2>/dev/null
    await shown "Uvítání" || fail "restoring the main window did not bring back the welcome window"
    await active "$welcome" || fail "after restoring, the keyboard is not on the welcome window"
    xdotool key Escape
    await gone "Uvítání" || fail "Esc did not leave the welcome window"
    await active "$main" || fail "the keyboard did not come back to the main window"

    # "Nástroje", "Zobrazit ovládání", "Ovládání hry 1 hráčem".
    xdotool key alt+n
    await menus 3 || fail "Alt+N opened no menu"
    xdotool key Down Down Right
    await menus 4 || fail "no submenu of the key pictures"
    xdotool key Return
    await shown "Ovládání hry 1 hráčem" || fail "no key picture"
    keys=$window
    belongs "$keys" || fail "the key picture does not belong to the main window"
    import -window root "$work/keys.png"
    # Minimised on its own, the key picture comes back with the keyboard (or, where the window
    # manager takes the whole group along, comes back when the main window is restored).
    iconic() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q "window state: Iconic"; }
    timeout 5 xdotool windowminimize --sync "$keys" 2>/dev/null
    back_or_group() { shown "Ovládání hry 1 hráčem" || iconic "$main"; }
    await back_or_group || fail "the key picture stayed minimised with the main window disabled"
    if iconic "$main"; then
        xdotool windowactivate "$main" 2>/dev/null
        await shown "Ovládání hry 1 hráčem" || fail "restoring the main window left the key picture minimised"
    fi
    await active "$keys" || fail "the key picture came back without the keyboard"
    xdotool key Escape
    await gone "Ovládání hry 1 hráčem" || fail "Esc did not close the key picture"

    kill -TERM $pid 2>/dev/null
    wait $pid 2>/dev/null
    echo "one group: minimised and restored together, no maximising"
    exit 0
' windowgroup "$work" "$here/../common"
