#!/usr/bin/env bash
# The front-end windows keep what they were given when the window manager closes the program:
# a name typed in Player Options reaches tvl.ini and a bookmark made in the join window reaches
# ServerList.dat, byte for byte, and is in the list on the next start.
source "$(dirname "$0")/lib.bash"
ensure_display


press() { xdotool key --window "$win" "$@"; }
# Text typed in a Tab's tick belongs to no box, and the program tells nothing of the text it
# takes: a pause lets it land in a tick of its own before the next key.
typed() { xdotool type --window "$win" --delay 60 "$1"; sleep 0.3; }
# Tab, then its move of the focus in the log.
tab() { key_and_wait "$dir/stderr.txt" 'Tab: focus on ' Tab; }
# Down or Up on the menu, then the cursor's move in the log.
row() { key_and_wait "$dir/stderr.txt" 'Menu cursor: ' "$1"; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
printf '[user]\nplayerName=Old\n' > "$dir/tvl.ini"
park_pointer
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Showing Main Menu: ' 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }

# Player Options, the fourth entry: the name's three letters out, a new one in, Done.
row Down; row Down; row Down; press Return
wait_log "$dir/stderr.txt" 'Showing Multiplayer Options: ' 30 || { cat "$dir/stderr.txt"; fail "Player Options did not open"; }
press BackSpace BackSpace BackSpace
typed "Racer"
import -window root "$SHOTS/frontwindows-player-options.png" 2>/dev/null || true
key_and_wait "$dir/stderr.txt" 'Closed Multiplayer Options$' Return

# Connect to Server, one entry up: a new bookmark.
row Up; press Return
wait_log "$dir/stderr.txt" 'Showing Join Network Game: ' 30 || { cat "$dir/stderr.txt"; fail "Connect to Server did not open"; }
key_and_wait "$dir/stderr.txt" 'Showing New Server Bookmark: ' Insert
typed "Home"; tab; typed "127.0.0.1"
import -window root "$SHOTS/frontwindows-bookmark.png" 2>/dev/null || true
# A loaded machine may drop the press; the form closes on the first one that arrives.
for attempt in 1 2 3; do
    press Return
    wait_log "$dir/stderr.txt" 'Server bookmark list saved to ServerList.dat' 6 && break
done
wait_log "$dir/stderr.txt" 'Server bookmark list saved to ServerList.dat' 1 || { cat "$dir/stderr.txt"; fail "the bookmark was not saved"; }
import -window root "$SHOTS/frontwindows-join.png" 2>/dev/null || true

# Closed by the window manager with the join window open.
"$XCLOSE" "$win"
answer_close_question yes || fail "closing the window asked nothing"
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "close: exit code $rc"; }
grep -qx 'playerName=Racer' "$dir/tvl.ini" || { cat "$dir/tvl.ini"; fail "tvl.ini lost the player name"; }
expected=$(printf 'TVL Server List' | od -An -tx1 | tr -d ' \n'; printf '%034d' 0
           printf '01000000''0100''0400'; printf 'Home' | od -An -tx1 | tr -d ' \n'
           printf '0900'; printf '127.0.0.1' | od -An -tx1 | tr -d ' \n'; printf '0000')
actual=$(od -An -tx1 "$dir/ServerList.dat" | tr -d ' \n')
[ "$actual" = "$expected" ] || fail "ServerList.dat holds $actual"

# The next start lists it: Delete on the first bookmark row asks about it (No keeps it).
start_game "$dir" || fail "window not found on the second start"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Showing Main Menu: ' 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up again"; }
row Down; row Down; press Return
wait_log "$dir/stderr.txt" 'Showing Join Network Game: ' 30 || { cat "$dir/stderr.txt"; fail "Connect to Server did not open again"; }
# The list takes the keys only once it has the focus; a press before that is lost. Down stops
# on the one bookmark row, so a press again is safe.
for attempt in 1 2 3 4 5 6; do
    press Down; press Delete
    wait_log "$dir/stderr.txt" 'Confirm: Delete Home?' 10 && break
done
wait_log "$dir/stderr.txt" 'Confirm: Delete Home?' 1 || { cat "$dir/stderr.txt"; fail "the bookmark was not listed"; }
wait_log "$dir/stderr.txt" 'Showing Confirm: ' 30 || { cat "$dir/stderr.txt"; fail "the question did not show"; }
key_and_wait "$dir/stderr.txt" 'Closed Confirm$' Escape
key_and_wait "$dir/stderr.txt" 'Closed Join Network Game$' Escape
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }
[ "$(od -An -tx1 "$dir/ServerList.dat" | tr -d ' \n')" = "$expected" ] || fail "ServerList.dat changed without a change"
rm -rf "$dir"
echo "frontwindows: all checks passed"
