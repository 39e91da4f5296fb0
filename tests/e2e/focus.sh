#!/usr/bin/env bash
# Tab moves the keyboard focus only among the boxes on screen: in the in-game console it stays in
# the command line, and in the bookmark editor it goes from the last box back to the first, so the
# typing after each Tab lands where the player sees it.
source "$(dirname "$0")/lib.bash"
ensure_display

saved='Server bookmark list saved to ServerList.dat'

press() { xdotool key --window "$win" "$@"; }
# Text typed in a Tab's tick belongs to no box, and the program tells nothing of the text it
# takes: a pause lets it land in a tick of its own before the next key.
typed() { xdotool type --window "$win" --delay 60 "$1"; sleep 0.3; }
# Tab, then its move of the focus in the log.
tab() { key_and_wait "$dir/stderr.txt" 'Tab: focus on ' Tab; }
# Down or Up on the menu, then the cursor's move in the log.
row() { key_and_wait "$dir/stderr.txt" 'Menu cursor: ' "$1"; }
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
park_pointer
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Showing Main Menu: ' 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }

# A single-player game; in its console "ex", Tab, "it" is the command that ends the game.
start_single_player "$dir"
key_and_wait "$dir/stderr.txt" 'Showing Console: ' grave
typed "ex"; tab; typed "it"
import -window root "$SHOTS/focus-console.png" 2>/dev/null || true
press Return
wait_log_count "$dir/stderr.txt" 'Showing Main Menu: ' 2 30 ||
    { cat "$dir/stderr.txt"; kill -9 "$pid"; fail "typing after Tab did not reach the console line"; }

# Connect to Server, a new bookmark: "Ho", the host, the port, and after the last Tab "me", which
# must land in the description again.
row Down; row Down; press Return
wait_log "$dir/stderr.txt" 'Showing Join Network Game: ' 30 || { cat "$dir/stderr.txt"; fail "Connect to Server did not open"; }
key_and_wait "$dir/stderr.txt" 'Showing New Server Bookmark: ' Insert
typed "Ho"; tab; typed "127.0.0.1"; tab; typed "6000"; tab; typed "me"
import -window root "$SHOTS/focus-bookmark.png" 2>/dev/null || true
# A loaded machine may drop the press; the form closes on the first one that arrives.
for attempt in 1 2 3; do
    press Return
    wait_log "$dir/stderr.txt" "$saved" 6 && break
done
wait_log "$dir/stderr.txt" "$saved" 1 || { cat "$dir/stderr.txt"; fail "the bookmark was not saved"; }
expected=$(hex 'TVL Server List'; printf '%034d' 0; printf '01000000''0100'
           printf '0400'; hex Home; printf '0900'; hex 127.0.0.1; printf '0400'; hex 6000)
actual=$(od -An -tx1 "$dir/ServerList.dat" | tr -d ' \n')
[ "$actual" = "$expected" ] || fail "ServerList.dat holds $actual, not the bookmark Home (127.0.0.1) port 6000"

key_and_wait "$dir/stderr.txt" 'Closed Join Network Game$' Escape # Back
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }
rm -rf "$dir"
echo "focus: all checks passed"
