#!/bin/sh
# Plays on a virtual X display with the keyboard and the mouse, as a user does: a one-player
# standard match from the menu to the result stored in the results table, then a two-player
# match ended through the question. Screenshots of every balloon are left in the work folder
# (select1.png, result.png, select2.png, question.png).
# Usage: play_xvfb.sh <program> <work folder>
# With PARBLOK_PLAY_COMMAND set, that command starts the game instead (an installed game, a
# program of another user); the caller prepares its settings and names in PARBLOK_PLAY_TABLE the
# results table where the stored result must land.
set -u
program="$1"
work="$2"
for tool in xvfb-run xdotool xwininfo import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed"
        exit 77
    fi
done
rm -rf "$work"
mkdir -p "$work"
if [ -z "${PARBLOK_PLAY_COMMAND:-}" ]; then
    # A copy of the program folder, so the results table and the settings of the build stay as built.
    cp -r "$(dirname "$program")" "$work/Parblok2000"
    # The assistant closed last time: the new-game balloons show it again.
    printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n' >"$work/Parblok2000/Kvadr.ini"
    export PARBLOK_PLAY_COMMAND="$work/Parblok2000/Parblok2000"
    export PARBLOK_PLAY_TABLE="$work/Parblok2000/Data/Parblok.dbf"
fi
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

here=$(cd "$(dirname "$0")" && pwd)
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    work="$1"
    . "$2/main-window.sh"
    "$PARBLOK_PLAY_COMMAND" >"$work/program.log" 2>&1 &
    pid=$!
    # The visible window of the given size, as "id x y"; nothing when there is none.
    window() {
        for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null)
            case "$geometry" in *"Geometry: $1"*)
                place=$(echo "$geometry" | sed -n "s/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p")
                echo "$id $place"; return;;
            esac
        done
    }
    # Whether a window of size $1 is up; its "id x y" is then in $found.
    shown() { found=$(window "$1"); [ -n "$found" ]; }
    gone() { ! shown "$1"; }
    pixel() { /usr/bin/convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null; }
    # A screenshot $1 in which the balloon at ($2, $3) is painted cream in its middle ($4, $5 into it).
    cream() { import -window root "$work/$1" 2>/dev/null && [ "$(pixel "$work/$1" $(($2 + $4)) $(($3 + $5)))" = FFFFE0 ]; }
    shoot() { await cream "$@" || fail "$1: the balloon is not cream"; }
    # Open menus are windows of their own (without a name): more windows than $windows.
    visible_windows() { xdotool search --onlyvisible --class . 2>/dev/null | wc -l; }
    menu_open() { [ "$(visible_windows)" -gt "$windows" ]; }
    has_keyboard() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$main" ]; }

    # Menu "Soubor", item $1 ("1" or "2" players): the selection balloon, its screenshot, and a
    # click on "Standardní hra".
    standard_match() {
        xdotool windowfocus --sync "$main"
        windows=$(visible_windows)
        xdotool key alt+s
        await menu_open || fail "Alt+S opened no menu"
        xdotool key $1
        await shown 250x150 || fail "no selection for $1"
        set -- $1 $found
        shoot select$1.png $3 $4 10 100
        xdotool mousemove $(($3 + 60)) $(($4 + 65)) click 1
        # The pointer leaves the main window: the keys reach the game because the closing
        # balloon gives the keyboard back, not because the pointer is over it.
        xdotool mousemove 5 5
        await gone 250x150 || fail "the selection stayed open"
        await has_keyboard || fail "the main window did not get the keyboard back"
    }

    tries=300; await main_up || fail "no main window"; tries=100

    standard_match 1

    # Drops until the well is full and the result balloon appears. Whatever else took the
    # keyboard meanwhile on a busy display, the player clicks back first.
    drop_until_result() {
        shown 280x222 && return 0
        if ! has_keyboard; then
            shown 280x222 && return 0
            xdotool windowfocus "$main"
        fi
        xdotool key space
        return 1
    }
    tries=300; await drop_until_result || fail "no result dialog"; tries=100
    set -- $found
    shoot result.png $2 $3 8 100
    xdotool key ctrl+a; xdotool type --delay 40 "Xvfb hráč"; xdotool key Return
    await gone 280x222 || fail "the result dialog stayed open"
    grep -q "Xvfb hr" "$PARBLOK_PLAY_TABLE" || fail "the result was not stored in $PARBLOK_PLAY_TABLE"

    # Two players, standard (the match runs once its selection has closed), then the question to
    # end the match, answered with Enter.
    standard_match 2
    xdotool key F3
    await shown 265x115 || fail "no question"
    set -- $found
    shoot question.png $2 $3 5 60
    xdotool key Return
    await gone 265x115 || fail "the question stayed open"
    import -window root "$work/end.png"
    set -- $(xdotool getwindowgeometry "$main" | sed -n "s/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p")
    # Both wells covered again (black where pieces were falling).
    [ "$(pixel "$work/end.png" $(($1 + 110)) $(($2 + 80)))" = 000000 ] || fail "well 1 not covered"
    [ "$(pixel "$work/end.png" $(($1 + 570)) $(($2 + 80)))" = 000000 ] || fail "well 2 not covered"

    kill -TERM $pid 2>/dev/null
    wait $pid 2>/dev/null
    echo "played: screenshots in $work"
    exit 0
' play "$work" "$here/../common"
