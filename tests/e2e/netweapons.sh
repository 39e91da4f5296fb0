#!/usr/bin/env bash
# Weapons and chat across a network game on 127.0.0.1: the joiner drives over the pickups of a
# small map thick with items, holding the fire button, until a missile or a gun shot of its own
# flies; the host's window is shot while it flies and when it hits the host. Then the joiner says
# a line in its console and the host shows it. The host ends its game and both programs quit.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/netlib.bash"
ensure_display

# The host's settings pick the game: the smallest map, items at Ultra, more tokens than anyone
# takes, and the world drawn at 0.75 so the host sees the shot coming from further away.
game_settings='serverMap=Meadow.map\n[game]\ntokensCount=500\nitemsDensity=4\n[video]\nrenderScale=0.75\n'

host=$(player_folder Hoster "$game_settings")
start_player "$host" "" 0; hp=$p; hw=$w
choose_menu_entry "$hw" "$host" 1 "Host Network Server" || { cat "$host/stderr.txt"; fail "the host window did not open"; }
press_until "$hw" Return "$host" "Local server listening on UDP port $port" ||
    { cat "$host/stderr.txt"; fail "the host did not start its server"; }

joiner=$(player_folder Joiner "$game_settings")
start_player "$joiner" "$hw" 640; jp=$p; jw=$w
join_server "$joiner" "$jw" 2 1
wait_log "$joiner/stderr.txt" 'Connection accepted' 20 || { cat "$joiner/stderr.txt"; fail "the joiner was not accepted"; }
wait_log "$host/stderr.txt" 'Joiner has joined the game' 20 || { cat "$host/stderr.txt"; fail "the host did not see the joiner"; }

# Only the joiner has the fire button down (the host's window never has the focus while it is),
# so every missile or gun shot the host makes is the joiner's. A drone's pulses are the
# server's doing and do not count. The held button uses each item once a second as it comes.
shot_line='Fired \(missile\|pulse cannon\) [0-9]* of player [0-9]*$'
recorder=""
release() {
    xdotool mouseup 1 2>/dev/null || true
    xdotool keyup --window "$jw" w a s d 2>/dev/null || true
}
stop_recorder() {
    if [ -n "$recorder" ]; then kill "$recorder" 2>/dev/null || true; wait "$recorder" 2>/dev/null || true; fi
    recorder=""
}
trap 'release; stop_recorder' EXIT
xdotool windowfocus --sync "$jw" 2>/dev/null || true
xdotool mousemove 960 240
xdotool mousedown 1

# Drives the joiner one move of a round that mixes straights, turns both ways and a reverse, so
# it leaves a wall it meets and crosses the map; now and then both windows are shot.
moves=("w 1.2" "w d 0.4" "w 1.0" "w a 0.7" "s d 0.8" "w 1.5" "w a 0.3" "w d 0.9")
step=0
drive_step() {
    local move=${moves[$((step % ${#moves[@]}))]}
    step=$((step + 1))
    xdotool keydown --window "$jw" ${move% *} 2>/dev/null || true
    sleep "${move##* }"
    xdotool keyup --window "$jw" ${move% *} 2>/dev/null || true
    if [ $((step % 16)) = 1 ]; then import -window root "$SHOTS/netweapons-driving.png" 2>/dev/null || true; fi
}

# Meanwhile the host's window is recorded: xwd is quick, so the frames come close together and
# the projectile, which crosses the view in well under a second, shows in some; the last 40 are
# kept in a ring.
ring=40
record() {
    local k=0
    while :; do
        xwd -silent -id "$hw" -out "$SHOTS/netweapons-ring-$((k % ring)).xwd" 2>/dev/null || true
        k=$((k + 1))
        echo "$k" > "$SHOTS/netweapons-ring-count"
        sleep 0.05
    done
}
rm -f "$SHOTS"/netweapons-*
record &
recorder=$!

# Until a shot of the joiner's hits the host: drive and fire. Every missile hits (it homes on
# the nearest other player, and nothing stops it); a gun's pulse aims at the nearest player
# within 1000 px and flies straight ahead when there is none, so it may miss. Weapons are two
# kinds of seven and are found by chance, so the bound is wide; most runs hit within a minute.
hit_line='Hoster hit by \(missile\|pulse cannon\) [0-9]* of player [0-9]*$'
hit=""
deadline=$((SECONDS + 420))
while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$jp" 2>/dev/null && kill -0 "$hp" 2>/dev/null || fail "a program ended during the fight"
    if grep -q -- "$hit_line" "$host/stderr.txt"; then hit=yes; break; fi
    drive_step
done
release
# The frames just after the hit too, then the ring in order, oldest first.
sleep 0.5
stop_recorder
[ -n "$hit" ] || { cat "$host/stderr.txt"; fail "no shot of the joiner hit the host within 420 s"; }
count=$(cat "$SHOTS/netweapons-ring-count")
for i in $(seq "$ring" -1 1); do
    [ "$count" -ge "$i" ] || continue
    convert "xwd:$SHOTS/netweapons-ring-$(((count - i) % ring)).xwd" \
        "$SHOTS/netweapons-flight-$(printf %02d $((ring + 1 - i))).png" 2>/dev/null || true
done
rm -f "$SHOTS"/netweapons-ring-*
import -window root "$SHOTS/netweapons-both.png" 2>/dev/null || true
grep -- "$shot_line" "$host/stderr.txt" || true
hit_text=$(grep -- "$hit_line" "$host/stderr.txt" | head -n1 | sed 's/^[0-9:]*: //')
echo "$hit_text"
shot=$(echo "$hit_text" | sed 's/^Hoster hit by //')
# The shot that hit is one the host made, and the joiner was told of it.
grep -q -- ": Fired $shot\$" "$host/stderr.txt" || fail "the host never fired $shot"
wait_log "$joiner/stderr.txt" ": Fired $shot\$" 10 || { cat "$joiner/stderr.txt"; fail "the joiner was not told of $shot"; }

# True when the joiner's console shows: its empty dark grey area at (320, 100) of the window.
console_shown() {
    local rgb
    rgb=$(xwd -silent -id "$jw" 2>/dev/null | convert xwd:- -crop 1x1+320+100 -depth 8 txt:- 2>/dev/null |
        tail -n1 | sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')
    set -- $rgb
    [ $# = 3 ] && [ "$1" -lt 70 ] && [ "$1" = "$2" ] && [ "$2" = "$3" ]
}

# The joiner says a line in its console: the server prints it and sends it on to everybody. A
# loaded machine may drop the grave key, so it is pressed until the console shows.
for attempt in 1 2 3 4 5 6; do
    console_shown && break
    xdotool windowfocus --sync "$jw" 2>/dev/null || true
    xdotool key --window "$jw" grave
    sleep 1
done
console_shown || fail "the joiner's console did not open"
xdotool type --window "$jw" --delay 40 'say "hello from joiner"'
xdotool key --window "$jw" Return
wait_log "$host/stderr.txt" ': hello from joiner$' 15 || { cat "$host/stderr.txt"; fail "the host did not show the line said"; }
wait_log "$joiner/stderr.txt" ': hello from joiner$' 15 || { cat "$joiner/stderr.txt"; fail "the joiner did not get its line back"; }
sleep 0.5
import -window "$hw" "$SHOTS/netweapons-say-host.png" 2>/dev/null || true
import -window root "$SHOTS/netweapons-say.png" 2>/dev/null || true
xdotool key --window "$jw" grave

# The host ends its game; the joiner is told and both are back at their menus.
leave_game "$hw" "$host" 1 || { cat "$host/stderr.txt"; fail "the host could not end its game"; }
wait_log "$host/stderr.txt" 'Shutdown server' 10 || fail "the host did not shut its server down"
wait_log "$joiner/stderr.txt" 'Disconnected from server' 20 || { cat "$joiner/stderr.txt"; fail "the joiner did not leave the server that went"; }
wait_log_count "$host/stderr.txt" "$menu_music" 2 20 || fail "the host is not back in the menu"
close_server_gone "$joiner" "$jw" 2 || { cat "$joiner/stderr.txt"; fail "the joiner was not told the server went, or is not back in the menu"; }

# Both programs end from their menus with code 0.
quit_from_menu "$hp" "$hw"
quit_from_menu "$jp" "$jw"
rm -rf "$host" "$joiner"
echo "netweapons: all checks passed"
