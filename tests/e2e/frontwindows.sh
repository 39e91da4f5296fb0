#!/usr/bin/env bash
# The front-end windows keep what they were given when the window manager closes the program:
# a name typed in Player Options reaches tvl.ini and a bookmark made in the join window reaches
# ServerList.dat, byte for byte, and is in the list on the next start.
source "$(dirname "$0")/lib.bash"
ensure_display

menu_music='Playing music from base\\music\\MainMenu.mus'

press() { xdotool key --window "$win" "$@"; sleep 0.3; }
typed() { xdotool type --window "$win" --delay 60 "$1"; sleep 0.3; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
printf '[user]\nplayerName=Old\n' > "$dir/tvl.ini"
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" "$menu_music" 30 || fail "the menu did not come up"

# Player Options, the fourth entry: the name's three letters out, a new one in, Done.
press Down; press Down; press Down; press Return
wait_log "$dir/stderr.txt" 'Menu: Player Options' 10 || { cat "$dir/stderr.txt"; fail "Player Options did not open"; }
press BackSpace BackSpace BackSpace
typed "Racer"
import -window root "$SHOTS/frontwindows-player-options.png" 2>/dev/null || true
press Return
sleep 0.7

# Connect to Server, one entry up: a new bookmark.
press Up; press Return
wait_log "$dir/stderr.txt" 'Menu: Connect to Server' 10 || { cat "$dir/stderr.txt"; fail "Connect to Server did not open"; }
press Insert
sleep 0.7
typed "Home"; press Tab; typed "127.0.0.1"
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
wait_log "$dir/stderr.txt" "$menu_music" 30 || fail "the menu did not come up again"
press Down; press Down; press Return
wait_log "$dir/stderr.txt" 'Menu: Connect to Server' 10 || { cat "$dir/stderr.txt"; fail "Connect to Server did not open again"; }
press Down; press Delete
wait_log "$dir/stderr.txt" 'Confirm: Delete Home?' 10 || { cat "$dir/stderr.txt"; fail "the bookmark was not listed"; }
press Escape; press Escape
sleep 0.5
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }
[ "$(od -An -tx1 "$dir/ServerList.dat" | tr -d ' \n')" = "$expected" ] || fail "ServerList.dat changed without a change"
rm -rf "$dir"
echo "frontwindows: all checks passed"
