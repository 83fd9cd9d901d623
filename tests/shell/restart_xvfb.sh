#!/bin/sh
# The program started, quit and started again, as a player does over several days, on a virtual X
# display with a window manager (PARBLOK_WM, see desktop.sh). Each start, with the assistant and
# the welcome window due, must show both with the keyboard on the welcome window; Enter leaves it
# (whatever look the desktop gives the check box that holds the focus) and hands the keyboard to
# the main window, whose Alt+S opens "Soubor". The program is then quit one way per round: by
# "Soubor > Konec", by Alt+F4 (the window manager's close, as its frame button does) and by
# SIGTERM (a logout), each of them a normal end with exit code 0 that writes nothing: the program
# folder (settings and results table) is the same byte for byte before the start and after the
# quit, so the next start shows the assistant and the welcome window again.
# Usage: restart_xvfb.sh <program folder> <work folder>
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
    # Every file of the program folder with its checksum.
    folder_sums() { (cd "$work/program" && find . -type f | sort | xargs md5sum); }
    window=""
    shown() { window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$window" ]; }
    gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
    active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
    windows() { xdotool search --all --onlyvisible --pid $pid 2>/dev/null | wc -l; }
    more_windows() { [ "$(windows)" -gt "$1" ]; }
    ended() { ! kill -0 $pid 2>/dev/null; }

    for way in menu alt-f4 sigterm; do
        folder_sums >"$work/before.sums"
        start_program
        await shown "Pomocník" || fail "$way: the assistant is not shown at the start"
        await shown "Uvítání" || fail "$way: the welcome window is not shown at the start"
        welcome=$window
        await active "$welcome" || fail "$way: the keyboard is not on the welcome window"
        xdotool key Return
        await gone "Uvítání" || fail "$way: Enter did not leave the welcome window"
        await active "$main" || fail "$way: the keyboard did not come back to the main window"
        count=$(windows)
        xdotool key alt+s
        await more_windows $count || fail "$way: Alt+S opened no menu"
        case $way in
            menu) xdotool key Up Return ;;
            alt-f4) xdotool key Escape Escape; sleep 0.5; xdotool key alt+F4 ;;
            sigterm) xdotool key Escape Escape; sleep 0.5; kill -TERM $pid ;;
        esac
        await ended || fail "$way: the program did not end"
        wait $pid
        status=$?
        [ $status -eq 0 ] || { cat "$work/program.log"; echo "$way: exit code $status"; exit 1; }
        folder_sums >"$work/after.sums"
        diff "$work/before.sums" "$work/after.sums" >"$work/changed.txt" \
            || { cat "$work/changed.txt"; cat "$work/program/Kvadr.ini"; echo "$way: the quit changed files"; exit 1; }
        echo "$way: ended with code 0, nothing written"
    done
    exit 0
' restart "$work" "$here/../common"
