# Shared helpers for the end-to-end scripts (sourced, not run as a test).
set -euo pipefail

GAME_DIR=${1:?game folder}
BUILD_DIR=${2:?build folder}
XCLOSE=${3:?xclose tool}
SHOTS=$BUILD_DIR/e2e-shots
mkdir -p "$SHOTS"

fail() { echo "FAIL: $*" >&2; exit 1; }

# A fresh game folder: data copied, the executable linked.
make_game_folder() {
    local dir
    dir=$(mktemp -d /tmp/tvl-e2e-XXXXXX)
    cp -r "$GAME_DIR/base" "$GAME_DIR/kvui3" "$dir/"
    [ -f "$GAME_DIR/tvl.txt" ] && cp "$GAME_DIR/tvl.txt" "$dir/"
    ln -s "$GAME_DIR/torvale" "$dir/torvale"
    echo "$dir"
}

write_windowed_ini() {
    printf '[info]\nversion=3\n[video]\nwidth=%s\nheight=%s\nwindow=True\nantialiasingLevel=0\nvsyncEnabled=False\nfpsLimit=60\n' \
        "${2:-1024}" "${3:-768}" > "$1/kvui3.ini"
}

# Waits for the game's window and prints its id.
find_window() {
    local i
    for i in $(seq 1 100); do
        local id
        id=$(xdotool search --name '^Torvale!$' 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

# Starts ./torvale in folder $1 with its stderr in $1/stderr.txt; any further words are
# NAME=VALUE settings for its environment. Sets pid, then waits for the window and sets win;
# false when no window shows.
start_game() {
    local dir=$1
    shift
    (cd "$dir" && exec env "$@" ./torvale 2> "$dir/stderr.txt") &
    pid=$!
    win=$(find_window)
}

# Waits up to $3 seconds for file $1 to hold a line matching the basic regex $2.
wait_log() {
    local i
    for i in $(seq 0 $(($3 * 10))); do
        grep -q -- "$2" "$1" 2>/dev/null && return 0
        [ "$i" -lt $(($3 * 10)) ] && sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for pid $1 and leaves its exit code in RC ("timeout" when it hangs).
# Not to be called inside $( ): only this shell can collect its own child's exit code.
wait_exit() {
    local pid=$1 limit=${2:-20} i
    RC=timeout
    for i in $(seq 1 $((limit * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            RC=0
            wait "$pid" || RC=$?
            return 0
        fi
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
}

# Escape on the menu ends the program: presses it (to the window, then to whatever has the focus)
# and waits up to 20 s for pid to end, leaving its exit code in RC.
escape_from_menu() {
    xdotool key --window "$win" Escape
    sleep 0.2
    xdotool key Escape 2>/dev/null || true
    wait_exit "$pid" 20
}

# Answers the window system's "Confirm" box that closing a windowed game asks, with the given
# button (yes or no) once it shows; a second word names a screenshot of it in $SHOTS.
answer_close_question() {
    local button=$1 shot=${2:-} i box=""
    for i in $(seq 1 50); do
        box=$(xdotool search --name '^Confirm$' 2>/dev/null | head -n1 || true)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || return 1
    [ -n "$shot" ] && { import -window root "$SHOTS/$shot.png" 2>/dev/null || true; }
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    if [ "$button" = yes ]; then xdotool key --window "$box" Return; else xdotool key --window "$box" Escape; fi
}

# Fails unless folder $1 holds both settings files as the program writes them on its way out:
# kvui3.ini rewritten, and tvl.ini rewritten with the playerName $2 it was started with.
check_settings_written() {
    [ "$(head -n3 "$1/kvui3.ini")" = "$(printf '\n[info]\nversion=3')" ] || fail "kvui3.ini not written on close"
    grep -qx "playerName=$2" "$1/tvl.ini" || fail "tvl.ini lost playerName on close"
    grep -qx 'lerpRate=10' "$1/tvl.ini" || fail "tvl.ini not rewritten on close"
}

# On the menu's first entry: Return opens the carousel, then starts its map. A loaded machine may
# drop a press while it draws, so presses until the map's music says the game is on (the log of
# folder $1); fails the test when it never does.
start_single_player() {
    local music='Playing music from Base\\Music\\' attempt
    for attempt in 1 2 3 4 5 6; do
        xdotool key --window "$win" Return
        wait_log "$1/stderr.txt" "$music" 3 && break
    done
    wait_log "$1/stderr.txt" "$music" 1 || { cat "$1/stderr.txt"; fail "the game did not start"; }
}

# Counts the lines of file $1 that match the basic regex $2.
count_log() {
    grep -c -- "$2" "$1" 2>/dev/null || true
}

# Waits up to $4 seconds for file $1 to hold at least $3 lines matching $2.
wait_log_count() {
    local i
    for i in $(seq 0 $(($4 * 10))); do
        [ "$(count_log "$1" "$2")" -ge "$3" ] && return 0
        [ "$i" -lt $(($4 * 10)) ] && sleep 0.1
    done
    return 1
}

# Runs the rest of the calling script under a private X server.
ensure_display() {
    if [ -z "${TVL_E2E_INNER:-}" ]; then
        export TVL_E2E_INNER=1
        exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$GAME_DIR" "$BUILD_DIR" "$XCLOSE"
    fi
}
