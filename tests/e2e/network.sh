#!/usr/bin/env bash
# A network game between two programs on 127.0.0.1, as two players set it up: one hosts from the
# menu (Host Network Server, Launch), the other joins through Connect to Server by typing the
# address. Both drive; the joiner leaves and the host sees it go; it joins again and the host
# quits, which the joiner is told in a message box. A third program is refused: the host allows
# two players.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/netlib.bash"
ensure_display

host=$(player_folder Hoster)
start_player "$host" ""; hp=$p; hw=$w
# Host Network Server is the second entry; Return in its window launches.
choose_menu_entry "$hw" "$host" 1 "Host Network Server" || { cat "$host/stderr.txt"; fail "the host window did not open"; }
press_until "$hw" Return "$host" "Local server listening on UDP port $port" ||
    { cat "$host/stderr.txt"; fail "the host did not start its server"; }

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
wait_log_count "$joiner/stderr.txt" 'Disconnected from server' 2 20 || { cat "$joiner/stderr.txt"; fail "the joiner did not leave the server that went"; }
wait_log "$joiner/stderr.txt" 'Message: Server disconnected' 20 || { cat "$joiner/stderr.txt"; fail "the joiner was not told the server went"; }
import -window root "$SHOTS/network-server-gone.png" 2>/dev/null || true
close_server_gone "$joiner" "$jw" 3 || fail "the joiner is not back in the menu after the server went"

# Both programs end from their menus with code 0.
quit_from_menu "$hp" "$hw"
quit_from_menu "$jp" "$jw"
rm -rf "$host" "$joiner" "$third"
echo "network: all checks passed"
