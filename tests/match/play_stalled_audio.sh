#!/bin/sh
# Plays the matches of play_xvfb.sh (windows, keys, falling pieces, the result stored) while the
# sound server the game plays to stays stopped from start to end: the game must answer as if
# it were silent. Usage: play_stalled_audio.sh <program> <work folder>
set -u
program="$1"
work="$2"
command -v pulseaudio >/dev/null 2>&1 && command -v pactl >/dev/null 2>&1 ||
    { echo "pulseaudio is not installed"; exit 77; }
rm -rf "$work"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
server_env() { env HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home" "$@"; }
export PULSE_SERVER="unix:$work/native"
server_env pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    -L "module-null-sink sink_name=silent" >"$work/server.log" 2>&1 &
server=$!
n=0
until server_env pactl info >/dev/null 2>&1; do
    n=$((n + 1))
    [ $n -lt 300 ] || { echo "the sound server did not start"; kill $server; exit 1; }
    sleep 0.1
done
kill -STOP $server
"$(dirname "$0")/play_xvfb.sh" "$program" "$work/play"
status=$?
kill -CONT $server
kill $server
wait $server 2>/dev/null
exit $status
