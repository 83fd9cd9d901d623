#!/bin/sh
# Two real copies of the program on a virtual X display: while the first runs normally a second
# one is refused (only the blinking notice beside the assistant) and ends on Enter; once the first
# shows its boss screen, another copy starts normally. Screenshots are left in the work folder
# (notice.png, boss.png).
# Usage: copies.sh <program folder> <work folder>
set -u
here=$(cd "$(dirname "$0")" && pwd)
work="$2"
for tool in xvfb-run xdotool import; do
    command -v $tool >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
# A copy of the program folder, so that the settings the copies write stay here.
. "$here/../common/work-copy.sh"
work_copy "$1" "$work"
unset QT_QPA_PLATFORM

exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    work="$1"
    . "$2/main-window.sh"
    program="$work/program/Parblok2000"
    fail() { echo "$*"; import -window root "$work/failure.png" 2>/dev/null; ls -la "$XDG_RUNTIME_DIR"; for log in "$work"/*.log; do echo "== $log"; cat "$log"; done; kill $first $third 2>/dev/null; exit 1; }
    pixel() { /usr/bin/convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null; }
    sockets() { ls "$XDG_RUNTIME_DIR" | grep -c "^Parblok2000-" ; }
    answering() { [ "$(sockets)" -ge "$1" ]; }

    "$program" >"$work/first.log" 2>&1 &
    first=$!
    await answering 1 || fail "the first copy does not answer"
    await xdotool search --name "^Parblok 2000\$" >/dev/null || fail "no main window"
    # The shipped settings greet the player: Esc leaves the welcome window, which holds the
    # keyboard and keeps the main window disabled.
    welcome() { xdotool search --onlyvisible --name "^Uvítání\$" >/dev/null; }
    no_welcome() { ! welcome; }
    await welcome || fail "no welcome window"
    xdotool key Escape
    await no_welcome || fail "the welcome window stays"

    # The second copy: the notice, 320 x 97, to the left of the assistant centred on the screen
    # (assistant at 460, 332; notice at 175, 339), blinking between two pinks.
    "$program" >"$work/second.log" 2>&1 &
    second=$!
    notice_up() {
        import -window root "$work/notice.png" 2>/dev/null || return 1
        colour=$(pixel "$work/notice.png" 325 344)
        [ "$colour" = F2669B ] || [ "$colour" = F9B5CE ]
    }
    await notice_up || fail "no notice (colour $colour)"
    [ "$(sockets)" -eq 1 ] || fail "the refused copy answers as a running one"
    kill -0 $second 2>/dev/null || fail "the refused copy ended by itself"
    # Only the assistant and the notice.
    shown=$(xdotool search --all --onlyvisible --pid $second 2>/dev/null | wc -l)
    [ "$shown" -eq 2 ] || fail "the refused copy shows $shown windows"
    xdotool key Return
    await sh -c "! kill -0 $second 2>/dev/null" || fail "Enter did not end the refused copy"
    wait $second || fail "the refused copy ended with an error"
    grep -q "^Pomocnik=0" "$work/program/Kvadr.ini" || fail "the assistant was not closed: $(cat "$work/program/Kvadr.ini")"

    # The boss screen of the first copy (Nástroje > Šéfovská pojistka) changes its caption, and a
    # further copy then starts normally.
    window=$(xdotool search --name "^Parblok 2000\$" | head -n 1)
    xdotool windowfocus --sync "$window"
    # The menu opens as a window of its own of the first copy.
    windows() { xdotool search --all --onlyvisible --pid $first 2>/dev/null | wc -l; }
    before=$(windows)
    menu_open() { [ "$(windows)" -gt "$before" ]; }
    xdotool key --window "$window" alt+n
    await menu_open || fail "Alt+N opened no menu"
    xdotool key p
    await xdotool search --name "^Plnění plánu v letošním roce\$" >/dev/null || fail "no boss screen"
    import -window root "$work/boss.png" 2>/dev/null
    "$program" >"$work/third.log" 2>&1 &
    third=$!
    await answering 2 || fail "the copy started during the boss screen did not come up"
    await xdotool search --name "^Parblok 2000\$" >/dev/null || fail "no main window of the third copy"
    kill -0 $first 2>/dev/null || fail "the first copy ended"
    kill -TERM $first $third
    wait $first $third 2>/dev/null
    exit 0
' copies "$work" "$here/../common"
