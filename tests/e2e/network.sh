#!/usr/bin/env bash
# A network game between two programs on 127.0.0.1, as two players set it up: one hosts from the
# menu (Host Network Server, Launch), the other joins through Connect to Server by typing the
# address. Both drive; the joiner leaves and the host sees it go; it joins again and the host
# quits, which the joiner is told. A third program is refused: the host allows two players.
source "$(dirname "$0")/lib.bash"
ensure_display

menu_music='Playing music from base\\music\\MainMenu.mus'
port=$((20000 + $$ % 20000))

# A game folder for a player named $1, windowed 640 x 480, with the test's port.
player_folder() {
    local d
    d=$(make_game_folder)
    write_windowed_ini "$d" 640 480
    printf '[user]\nplayerName=%s\n[network]\nlocalServerPort=%s\nmaxNetPlayers=2\n' "$1" "$port" > "$d/tvl.ini"
    echo "$d"
}

# Starts the program in folder $1 and sets p and w to its process and its own window (one not in
# the list $2 of windows already there).
start_player() {
    local d=$1 known=$2 i id
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
    xdotool windowmove "$w" "${3:-0}" 0 2>/dev/null || true
    wait_log "$d/stderr.txt" "$menu_music" 30 || { cat "$d/stderr.txt"; fail "the menu did not come up in $d"; }
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

host=$(player_folder Hoster)
start_player "$host" ""; hp=$p; hw=$w
# Host Network Server is the second entry; Return in its window launches.
choose_menu_entry "$hw" "$host" 1 "Host Network Server" || { cat "$host/stderr.txt"; fail "the host window did not open"; }
press_until "$hw" Return "$host" "Local server listening on UDP port $port" ||
    { cat "$host/stderr.txt"; fail "the host did not start its server"; }

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

# Holds key $2 in window $1 for a second.
drive() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool keydown --window "$1" "$2"; sleep 1; xdotool keyup --window "$1" "$2"
}

joiner=$(player_folder Joiner)
start_player "$joiner" "$hw" 640; jp=$p; jw=$w
join_server "$joiner" "$jw" 2 1
wait_log "$joiner/stderr.txt" 'Connection accepted' 20 || { cat "$joiner/stderr.txt"; fail "the joiner was not accepted"; }
wait_log "$host/stderr.txt" 'Joiner has joined the game' 20 || { cat "$host/stderr.txt"; fail "the host did not see the joiner"; }

# Both drive; each window shows its own vehicle and the other's where it is in view.
drive "$jw" w; drive "$hw" w; drive "$jw" a; drive "$hw" d
import -window root "$SHOTS/network-driving.png" 2>/dev/null || true

# A third player: the host allows two, so it is refused and told so.
third=$(player_folder Third)
start_player "$third" "$hw $jw" 320; tp=$p; tw=$w
join_server "$third" "$tw" 2 1
wait_log "$host/stderr.txt" 'Refused connection attempt from Third, server is full' 20 ||
    { cat "$host/stderr.txt"; fail "the third player was not refused as the server is full"; }
wait_log "$third/stderr.txt" 'Message: Connection refused' 20 || { cat "$third/stderr.txt"; fail "the third player was not told"; }
import -window root "$SHOTS/network-refused.png" 2>/dev/null || true
kill "$tp"; wait_exit "$tp" 20

# The joiner leaves; the host sees it go and plays on.
leave_game "$jw" "$joiner" 1 || { cat "$joiner/stderr.txt"; fail "the joiner could not leave"; }
wait_log "$host/stderr.txt" 'Joiner has left the game' 20 || { cat "$host/stderr.txt"; fail "the host did not see the joiner leave"; }
wait_log_count "$joiner/stderr.txt" "$menu_music" 2 20 || fail "the joiner is not back in the menu"

# It joins again; the host quits its game and the joiner is told.
sleep 1
join_server "$joiner" "$jw" 0 2
wait_log_count "$joiner/stderr.txt" 'Connection accepted' 2 20 || { cat "$joiner/stderr.txt"; fail "the joiner was not accepted again"; }
wait_log_count "$host/stderr.txt" 'Joiner has joined the game' 2 20 || fail "the host did not see the joiner again"
leave_game "$hw" "$host" 1 || { cat "$host/stderr.txt"; fail "the host could not end its game"; }
wait_log "$host/stderr.txt" 'Shutdown server' 10 || fail "the host did not shut its server down"
wait_log_count "$joiner/stderr.txt" 'Disconnected from server' 2 20 || { cat "$joiner/stderr.txt"; fail "the joiner was not told the server went"; }
wait_log_count "$joiner/stderr.txt" "$menu_music" 3 20 || fail "the joiner is not back in the menu after the server went"
import -window root "$SHOTS/network-server-gone.png" 2>/dev/null || true

# Both programs end from their menus with code 0.
for pair in "$hp $hw" "$jp $jw"; do
    set -- $pair
    pid=$1; win=$2
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    escape_from_menu; [ "$RC" = 0 ] || fail "exit code $RC"
done
rm -rf "$host" "$joiner" "$third"
echo "network: all checks passed"
