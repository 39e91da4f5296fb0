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

# Waits up to 60 s for the game's window and prints its id.
find_window() {
    local i
    for i in $(seq 1 600); do
        local id
        id=$(xdotool search --name '^Torvale!$' 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

# The pointer away from the game's window, so that it moves no menu row under it.
park_pointer() { xdotool mousemove 1279 1023; }

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

# Escape on the menu ends the program: presses it (to the window, then to whatever has the focus,
# should the program still run 10 s on) and waits up to 20 s for pid to end, leaving its exit
# code in RC.
escape_from_menu() {
    local i
    xdotool key --window "$win" Escape
    for i in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && { xdotool key Escape 2>/dev/null || true; }
    wait_exit "$pid" 20
}

# Runs the command $3... and waits up to 30 s for log $1 to gain a line matching $2; fails with
# the log when none comes.
act_and_wait() {
    local file=$1 pattern=$2 before
    shift 2
    before=$(count_log "$file" "$pattern")
    "$@"
    wait_log_count "$file" "$pattern" $((before + 1)) 30 || { cat "$file"; fail "no \"$pattern\" after: $*"; }
}

# Presses keys $3... to the window and waits, as act_and_wait does, for log $1 to gain a line
# matching $2.
key_and_wait() {
    local file=$1 pattern=$2
    shift 2
    act_and_wait "$file" "$pattern" xdotool key --window "$win" "$@"
}

# Answers the window system's "Confirm" box that closing a windowed game asks, with the given
# button (yes or no) once it shows; a second word names a screenshot of it in $SHOTS.
answer_close_question() {
    local button=$1 shot=${2:-} i box=""
    for i in $(seq 1 300); do
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

# Presses keys $1... to the window and waits up to 30 s for its picture to change: the program
# tells the log nothing of a list's or a page's move. False when it never does.
key_and_watch() {
    local before i
    before=$(xwd -silent -id "$win" 2>/dev/null | md5sum || true)
    xdotool key --window "$win" "$@"
    for i in $(seq 1 300); do
        [ "$(xwd -silent -id "$win" | md5sum)" != "$before" ] && return 0
        sleep 0.1
    done
    return 1
}

# On the menu's first entry: Return opens the carousel, then starts its map. A loaded machine may
# drop a press while it draws, so presses until the map's music says the game is on (the log of
# folder $1), then waits for the game's first frame; fails the test when either never comes.
start_single_player() {
    local music='Playing music from Base\\Music\\' attempt games
    games=$(count_log "$1/stderr.txt" 'Showing Game: ')
    for attempt in 1 2 3 4 5 6; do
        xdotool key --window "$win" Return
        wait_log "$1/stderr.txt" "$music" 3 && break
    done
    wait_log "$1/stderr.txt" "$music" 1 || { cat "$1/stderr.txt"; fail "the game did not start"; }
    wait_log_count "$1/stderr.txt" 'Showing Game: ' $((games + 1)) 30 || { cat "$1/stderr.txt"; fail "the game showed no frame"; }
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

# How many rows of text the w x h + x + y area $2 of picture $1 shows: bands of lines of pixels
# that hold light text over a dark face.
text_rows() {
    convert "$1" -crop "$2" +repage -colorspace gray -depth 8 txt:- |
        awk -F'[,:() ]+' 'NR > 1 && $3 > 128 { lit[$2] = 1; if ($2 > last) last = $2 }
                          END { n = 0; for (y = 0; y <= last; y++) if (lit[y] && !lit[y - 1]) n++; print n }'
}

# Pictures the window as $1 until the area $2 of it shows $3 bands of text or more (up to 30 s);
# false when it never does.
wait_text_rows() {
    local i
    for i in $(seq 1 120); do
        import -window "$win" "$1" 2>/dev/null || true
        [ "$(text_rows "$1" "$2")" -ge "$3" ] && return 0
        sleep 0.25
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
