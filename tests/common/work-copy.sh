# Sourced by the screen tests: a fresh work folder with a copy of the program folder in
# "$2/program", and a private runtime folder for the single-copy sockets.
# Usage: work_copy <program folder> <work folder>
work_copy() {
    rm -rf "$2"
    mkdir -p "$2"
    cp -r "$1" "$2/program"
    export XDG_RUNTIME_DIR="$2/xdg"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}
