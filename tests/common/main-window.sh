# Sourced inside the virtual desktop by the screen tests that drive the main window; $work is the
# work folder laid out by work_copy. Gives fail, await and start_program.

# Reports a failure with a screenshot and the program's output, stops the program and fails.
fail() { echo "$*"; import -window root "$work/failure.png" 2>/dev/null; cat "$work/program.log"; kill $pid 2>/dev/null; exit 1; }
# Waits up to 20 s (a loaded machine is slow) for a command to succeed ($tries steps of 0.2 s).
await() { n=0; while [ $n -lt ${tries:-100} ]; do "$@" && return 0; sleep 0.2; n=$((n + 1)); done; return 1; }

# The main window by its name and its width: the splash goes by the same name while it is up.
main_up() {
    for candidate in $(xdotool search --onlyvisible --name "^Parblok 2000\$" 2>/dev/null); do
        xwininfo -id "$candidate" 2>/dev/null | grep -q "Width: 669\$" && main=$candidate && return 0
    done
    return 1
}

# Starts the program of the work folder and waits up to 60 s for its main window: $pid, $main.
start_program() {
    "$work/program/Parblok2000" >"$work/program.log" 2>&1 &
    pid=$!
    main=""
    tries=300; await main_up || fail "no main window"; tries=100
}
