#!/bin/sh
# The splash on a real display, the start slowed on purpose (every creation step lasts
# PARBLOK2000_STEP_DELAY_MS longer). The screen is read while the windows are created: the splash
# must be painted (the cream panel and the red-to-blue title), its bar must advance and never go
# back. Once the bar shows the main window made (15 %), a second copy is started: it must be
# refused (its blinking notice appears) while the first is still creating its windows.
# The shot of the splash at 30 % or more is left as splash.png in the work folder.
# Usage: splash.sh <program folder> <work folder>
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_folder="$1"
work="$2"
. "$here/../common/work-copy.sh"
work_copy "$source_folder" "$work"

exec "$here/../common/desktop.sh" sh -c '
    work="$1"
    program="$work/program/Parblok2000"
    fail() { echo "$*"; cat "$work/log"; for log in "$work"/*.log; do echo "== $log"; cat "$log"; done; kill $first $second 2>/dev/null; exit 1; }
    # The splash is centred on the screen at 342, 240; its bar (231 x 17) at 443, 505, its title
    # (250 x 43) at 352, 270.
    # The filled part of the bar runs from white to red over black: pixels with full red.
    bar() { /usr/bin/convert "$1" -crop 231x1+443+513 +repage -depth 8 txt:- |
            grep -c "^[0-9]*,0: (255," ; }
    # The title is drawn from red to blue: pixels with little green and much red or blue.
    title() { /usr/bin/convert "$1" -crop 250x43+352+270 +repage -depth 8 txt:- |
              awk -F "[(,)]" "NR > 1 && \$4 < 100 && (\$3 > 100 || \$5 > 100) { n++ } END { print n + 0 }"; }
    pixel() { /usr/bin/convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null; }

    PARBLOK2000_STEP_DELAY_MS=800 "$program" >"$work/first.log" 2>&1 &
    first=$!
    second=""
    painted=0; last=0; positions=""; refused_at=""; shot=0
    : >"$work/log"
    while [ $shot -lt 200 ]; do
        shot=$((shot + 1))
        kill -0 $first 2>/dev/null || fail "the first copy ended"
        import -window root "$work/shot.png" 2>/dev/null || continue
        cream=$(pixel "$work/shot.png" 672 280)
        width=$(bar "$work/shot.png"); letters=$(title "$work/shot.png")
        notice=$(pixel "$work/shot.png" 325 344)
        echo "shot $shot: corner=$cream bar=$width title=$letters notice=$notice" >>"$work/log"
        if [ "$cream" = FFFFE0 ]; then
            [ "$letters" -ge 200 ] || fail "the title is missing from a painted splash"
            [ "$width" -ge "$last" ] || fail "the bar went back from $last to $width"
            [ "$width" -gt 0 ] || fail "the bar is empty on a painted splash"
            painted=$((painted + 1))
            [ "$width" -gt "$last" ] && positions="$positions $width"
            last=$width
            [ "$width" -ge 69 ] && [ ! -f "$work/splash.png" ] && cp "$work/shot.png" "$work/splash.png"
            # 15 % of 231 pixels: the main window of the first copy exists.
            if [ "$width" -ge 34 ] && [ -z "$second" ]; then
                "$program" >"$work/second.log" 2>&1 &
                second=$!
            fi
            if [ -n "$second" ] && [ -z "$refused_at" ] && { [ "$notice" = F2669B ] || [ "$notice" = F9B5CE ]; }; then
                refused_at=$width
            fi
        elif [ $painted -gt 0 ]; then
            break
        fi
        [ $shot -ge 60 ] && [ $painted -eq 0 ] && break
    done
    [ $painted -gt 0 ] || fail "the splash was never painted"
    set -- $positions
    [ $# -ge 3 ] || fail "the bar was seen at only $# positions:$positions"
    [ -n "$second" ] || fail "the second copy was never started"
    # Seen on a painted splash short of the end (75 % is 173 pixels).
    [ -n "$refused_at" ] && [ "$refused_at" -le 173 ] ||
        fail "the second copy was not refused while the first created its windows"
    kill $first $second 2>/dev/null
    wait $first $second 2>/dev/null
    exit 0
' splash "$work"
