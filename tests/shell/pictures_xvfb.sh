#!/bin/sh
# Every picture of the program is drawn, on a virtual X display: the toolbar's pictures and the
# icon of the main window (drawn from SVG through Qt's SVG plug-ins), the assistant, the bullets of
# the welcome balloon, the picture of the already-running notice, the about window's figure and
# both key pictures. A picture counts as drawn when its area holds more colours than a blank one;
# the program's output must not report an image or plug-in it could not load. Screenshots are
# left in the work folder.
# Usage: pictures_xvfb.sh <program> <work folder>
# With PARBLOK_PICTURES_COMMAND set, that command starts the game instead (an installed game, a
# program of another user) and the caller prepares its settings: the assistant and the welcome
# window shown. With PARBLOK_PICTURES_PROBE set, that command is run with the program's process id
# once every window has been shown (the package check reads the files the program loaded).
set -u
program="$1"
work="$2"
for tool in xvfb-run xdotool xprop import convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
if [ -z "${PARBLOK_PICTURES_COMMAND:-}" ]; then
    cp -r "$(dirname "$program")" "$work/Parblok2000"
    printf '[Nastaveni]\r\nPomocnik=1\r\nUvitani=1\r\n' >"$work/Parblok2000/Kvadr.ini"
    export PARBLOK_PICTURES_COMMAND="$work/Parblok2000/Parblok2000"
fi
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

here=$(cd "$(dirname "$0")" && pwd)
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    work="$1"
    . "$2/main-window.sh"
    "$PARBLOK_PICTURES_COMMAND" >"$work/program.log" 2>&1 &
    pid=$!
    second=""
    failures=0
    miss() { echo "FAIL: $*"; failures=$((failures + 1)); }
    window=""
    shown() { window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1); [ -n "$window" ]; }
    # Whether the area ($3 x $4 at $5, $6) of the screenshot $2 of window $1 holds more than $7
    # colours; the count is in $colours.
    drawn() {
        import -window "$1" "$work/$2" 2>/dev/null || return 1
        colours=$(convert "$work/$2" -crop "$3x$4+$5+$6" +repage -format %k info: 2>/dev/null)
        [ "${colours:-0}" -gt "$7" ]
    }
    # The picture ($2 x $3 at $4, $5) of window $1, at least $6 colours; named $7 in a failure.
    picture() {
        await drawn "$1" "$7.png" "$2" "$3" "$4" "$5" "$6" \
            && echo "$7: drawn ($colours colours)" \
            || miss "$7: not drawn ($colours colours in its ${2}x$3 area, $work/$7.png)"
    }
    menus() { [ "$(xdotool search --all --onlyvisible --pid $pid 2>/dev/null | wc -l)" -eq "$1" ]; }

    tries=300; await main_up || fail "no main window"; tries=100
    # The toolbar under the menu bar: its pictures give it dozens of colours, while a toolbar
    # without them has only its background, edges and separators (about a dozen).
    picture "$main" 669 26 0 18 40 toolbar
    xprop -id "$main" _NET_WM_ICON 2>/dev/null | grep -q "Icon (" \
        && echo "main window icon: set" || miss "the main window has no icon"
    await shown "Pomocník" || fail "no assistant"
    picture "$window" 104 104 0 0 20 assistant
    await shown "Uvítání" || fail "no welcome window"
    picture "$window" 16 50 12 42 8 welcome-bullets
    xdotool key Escape

    # "Nápověda", "O programu".
    xdotool windowfocus "$main"
    windows=$(xdotool search --all --onlyvisible --pid $pid 2>/dev/null | wc -l)
    xdotool key alt+v
    await menus $((windows + 1)) || fail "Alt+V opened no menu"
    xdotool key Up Return
    await shown "O programu Parblok 2000" || fail "no about window"
    picture "$window" 63 62 14 14 20 about
    xdotool key Escape

    # "Nástroje", "Zobrazit ovládání", one and two players.
    for players in 1 2; do
        xdotool windowfocus "$main"
        xdotool key alt+n
        await menus $((windows + 1)) || fail "Alt+N opened no menu"
        xdotool key Down Down Right
        await menus $((windows + 2)) || fail "no submenu of the key pictures"
        [ $players = 2 ] && xdotool key Down
        xdotool key Return
        case $players in
            1) await shown "Ovládání hry 1 hráčem" && picture "$window" 322 182 8 10 8 keys1 ;;
            2) await shown "Ovládání hry 2 hráči" && picture "$window" 322 182 195 10 8 keys2 ;;
        esac || miss "no key picture for $players"
        xdotool key Escape
    done

    # A second start: the notice beside the assistant.
    "$PARBLOK_PICTURES_COMMAND" >"$work/second.log" 2>&1 &
    second=$!
    notice() {
        for id in $(xdotool search --onlyvisible --pid $second 2>/dev/null); do
            xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: 320x97" && window=$id && return 0
        done
        return 1
    }
    tries=300; await notice || fail "no notice from a second start"; tries=100
    picture "$window" 35 35 10 10 8 notice

    if [ -n "${PARBLOK_PICTURES_PROBE:-}" ]; then
        $PARBLOK_PICTURES_PROBE $pid || miss "$PARBLOK_PICTURES_PROBE"
    fi
    kill $second $pid 2>/dev/null
    wait $second $pid 2>/dev/null
    if grep -E "QImage|QPixmap|QIcon|plugin|qt\.svg" "$work/program.log" "$work/second.log"; then
        miss "the program reports pictures or plug-ins it could not load"
    fi
    [ $failures -eq 0 ] || exit 1
    echo "every picture drawn"
' pictures "$work" "$here/../common"
