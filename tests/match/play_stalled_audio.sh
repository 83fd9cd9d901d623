#!/bin/sh
# Plays the matches of play_xvfb.sh (windows, keys, falling pieces, the result stored) with the
# sound server the game plays to stopped once it has played the first sound, for the rest of
# the play: the game must answer as if it were silent.
# Usage: play_stalled_audio.sh <program> <work folder>
set -u
program="$1"
work="$2"
command -v pulseaudio >/dev/null 2>&1 && command -v pactl >/dev/null 2>&1 ||
    { echo "pulseaudio is not installed"; exit 77; }
rm -rf "$work"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
server_env="HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home"
server_env() { env $server_env "$@"; }
export PULSE_SERVER="unix:$work/native"
# Started by env itself (not through a function, which would put a shell between): $! is the server.
env $server_env pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    -L "module-null-sink sink_name=silent" >"$work/server.log" 2>&1 &
server=$!
n=0
until server_env pactl info >/dev/null 2>&1; do
    n=$((n + 1))
    [ $n -lt 300 ] || { echo "the sound server did not start"; kill $server; exit 1; }
    sleep 0.1
done
# The server stops once it has played the game's first sound.
(
    playing() { server_env pactl list short sink-inputs 2>/dev/null | grep -q .; }
    until playing; do sleep 0.02; done
    while playing; do sleep 0.02; done
    kill -STOP $server && touch "$work/stopped"
) &
watcher=$!
"$(dirname "$0")/play_xvfb.sh" "$program" "$work/play"
status=$?
kill $watcher 2>/dev/null
kill -CONT $server
kill $server
wait $server 2>/dev/null
if [ $status -eq 0 ] && [ ! -e "$work/stopped" ]; then
    echo "the game never reached the sound server"
    exit 1
fi
exit $status
