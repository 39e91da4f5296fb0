# Helpers for the end-to-end runs of network games (sourced after lib.bash): two or more
# programs on 127.0.0.1, each in its own folder and window, menu entries chosen by the log.

menu_music='Playing music from base\\music\\MainMenu.mus'
port=$((20000 + $$ % 20000))

# A game folder for a player named $1, windowed 640 x 480, with the test's port and at most two
# players; $2 adds lines to the [network] section and after it (further sections of tvl.ini).
player_folder() {
    local d
    d=$(make_game_folder)
    write_windowed_ini "$d" 640 480
    printf '[user]\nplayerName=%s\n[network]\nlocalServerPort=%s\nmaxNetPlayers=2\n%b' "$1" "$port" "${2:-}" > "$d/tvl.ini"
    echo "$d"
}

# Starts the program in folder $1 and sets p and w to its process and its own window (one not in
# the list $2 of windows already there).
start_player() {
    local d=$1 known=$2 i id
    # The pointer off every window, so that no menu row is picked under it.
    xdotool mousemove 0 1000
    (cd "$d" && exec ./torvale 2> "$d/stderr.txt") &
    p=$!
    w=""
    for i in $(seq 1 100); do
        for id in $(xdotool search --name '^Torvale!$' 2>/dev/null || true); do
            case " $known " in *" $id "*) ;; *) w=$id ;; esac
        done
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || fail "no window for $d"
    # Moved once the menu is up: the program centres its new window itself.
    wait_log "$d/stderr.txt" "$menu_music" 30 || { cat "$d/stderr.txt"; fail "the menu did not come up in $d"; }
    xdotool windowmove "$w" "${3:-0}" 0 2>/dev/null || true
}

# Presses keys $2... to window $1 until folder $3's log matches $4 (at most 6 tries, 3 s each).
press_until() {
    local w=$1 d=$3 pattern=$4 attempt
    for attempt in 1 2 3 4 5 6; do
        xdotool windowfocus --sync "$w" 2>/dev/null || true
        xdotool key --window "$w" $2
        wait_log "$d/stderr.txt" "$pattern" 3 && return 0
    done
    return 1
}

# Window $1 (folder $2) on the main menu: $3 presses of Down from the entry the menu is on, then
# Return, which must open the entry captioned $4 (the menu names what it opens in the log).
choose_menu_entry() {
    local w=$1 d=$2 n=$3 caption=$4 i before
    xdotool mousemove 0 1000
    before=$(count_log "$d/stderr.txt" 'Menu: ')
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    for i in $(seq 1 "$n"); do xdotool key --window "$w" Down; sleep 0.2; done
    for i in 1 2 3; do
        xdotool key --window "$w" Return
        wait_log_count "$d/stderr.txt" 'Menu: ' $((before + 1)) 5 && break
    done
    [ "$(grep 'Menu: ' "$d/stderr.txt" | tail -n1 | sed 's/.*Menu: //')" = "$caption" ]
}

# The joiner in folder $1 (window $2): Connect to Server, Connect on the Quick Connect row, the
# address typed into the question.
# $3: the presses of Down that reach Connect to Server; $4: the how-many-th address question this is.
join_server() {
    local d=$1 w=$2 asked=$4 attempt
    choose_menu_entry "$w" "$d" "$3" "Connect to Server" || { cat "$d/stderr.txt"; fail "Connect to Server did not open"; }
    # Return on the Quick Connect row asks for the address; a loaded machine may drop the press.
    for attempt in 1 2 3 4 5 6; do
        xdotool key --window "$w" Return
        wait_log_count "$d/stderr.txt" 'Input: Enter Remote Host Address' "$asked" 3 && break
    done
    wait_log_count "$d/stderr.txt" 'Input: Enter Remote Host Address' "$asked" 1 || { cat "$d/stderr.txt"; fail "no address question"; }
    xdotool type --window "$w" --delay 50 "127.0.0.1"
    xdotool key --window "$w" Return
}

# Escape in a game asks; Return answers Yes (window $1, folder $2, the n-th question $3).
leave_game() {
    local w=$1 d=$2 n=$3 attempt
    for attempt in 1 2 3 4 5; do
        xdotool windowfocus --sync "$w" 2>/dev/null || true
        xdotool key --window "$w" Escape
        wait_log_count "$d/stderr.txt" 'Confirm: End game and return to menu?' "$n" 3 && break
    done
    xdotool key --window "$w" Return
    wait_log_count "$d/stderr.txt" 'Confirm: Yes' "$n" 10
}

# The joiner in folder $1 (window $2) whose server went: it says "Server disconnected" in a
# message box, and Return there brings the menu back (its music for the $3-th time). A loaded
# machine may drop the press.
close_server_gone() {
    local d=$1 w=$2 n=$3 attempt
    wait_log "$d/stderr.txt" 'Message: Server disconnected' 20 || return 1
    for attempt in 1 2 3; do
        xdotool windowfocus --sync "$w" 2>/dev/null || true
        xdotool key --window "$w" Return
        wait_log_count "$d/stderr.txt" "$menu_music" "$n" 10 && return 0
    done
    return 1
}

# The program $1 (window $2) on its main menu ends with code 0.
quit_from_menu() {
    pid=$1; win=$2
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    escape_from_menu; [ "$RC" = 0 ] || fail "exit code $RC"
}
