#!/usr/bin/env bash
# Tab moves the keyboard focus only among the boxes on screen: in the in-game console it stays in
# the command line, and in the bookmark editor it goes from the last box back to the first, so the
# typing after each Tab lands where the player sees it.
source "$(dirname "$0")/lib.bash"
ensure_display

menu_music='Playing music from base\\music\\MainMenu.mus'
saved='Server bookmark list saved to ServerList.dat'

press() { xdotool key --window "$win" "$@"; sleep 0.3; }
typed() { xdotool type --window "$win" --delay 60 "$1"; sleep 0.3; }
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" "$menu_music" 30 || fail "the menu did not come up"

# A single-player game; in its console "ex", Tab, "it" is the command that ends the game.
start_single_player "$dir"
sleep 1
press grave
typed "ex"; press Tab; typed "it"
import -window root "$SHOTS/focus-console.png" 2>/dev/null || true
menus=$(count_log "$dir/stderr.txt" "$menu_music")
press Return
wait_log_count "$dir/stderr.txt" "$menu_music" $((menus + 1)) 15 ||
    { cat "$dir/stderr.txt"; kill -9 "$pid"; fail "typing after Tab did not reach the console line"; }
sleep 1

# Connect to Server, a new bookmark: "Ho", the host, the port, and after the last Tab "me", which
# must land in the description again.
press Down; press Down; press Return
wait_log "$dir/stderr.txt" 'Menu: Connect to Server' 10 || { cat "$dir/stderr.txt"; fail "Connect to Server did not open"; }
press Insert
sleep 0.7
typed "Ho"; press Tab; typed "127.0.0.1"; press Tab; typed "6000"; press Tab; typed "me"
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

press Escape # Back
sleep 0.5
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }
rm -rf "$dir"
echo "focus: all checks passed"
