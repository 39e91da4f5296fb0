#!/usr/bin/env bash
# A single-player game from the menu to the win: a small token target, the local vehicle
# driven with held keys, screenshots during play, and the winner named before the menu returns.
source "$(dirname "$0")/lib.bash"
ensure_display

dir=$(make_game_folder)
write_windowed_ini "$dir" 1280 720
printf '[game]\ntokensCount=1\nskillLevel=1\nitemsDensity=4\n' > "$dir/tvl.ini"
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Playing music from base\\music\\MainMenu.mus' 30 || fail "the menu did not come up"
start_single_player "$dir"
sleep 1
import -window root "$SHOTS/singleplayer-start.png" 2>/dev/null || true

# Drive in circles until somebody reaches the target (the computer hunts the token).
won=""
for i in $(seq 1 240); do
    xdotool keydown --window "$win" w 2>/dev/null || true
    if [ $((i % 3)) = 0 ]; then xdotool keydown --window "$win" d 2>/dev/null || true; fi
    sleep 0.5
    xdotool keyup --window "$win" d w 2>/dev/null || true
    if [ "$i" = 4 ]; then import -window root "$SHOTS/singleplayer-play.png" 2>/dev/null || true; fi
    if grep -q " wins$" "$dir/stderr.txt"; then won=yes; break; fi
    kill -0 "$pid" 2>/dev/null || break
done
[ -n "$won" ] || { cat "$dir/stderr.txt"; kill -9 "$pid" 2>/dev/null; fail "no winner within 120 s"; }
grep -E " wins$" "$dir/stderr.txt"
wait_log "$dir/stderr.txt" 'Game over: .* wins!' 20 || { cat "$dir/stderr.txt"; fail "no game-over window"; }
import -window root "$SHOTS/singleplayer-after.png" 2>/dev/null || true

# Escape closes the game-over window; back at the main menu the next ends the program.
for i in 1 2 3 4 5; do
    xdotool key --window "$win" Escape 2>/dev/null || true
    wait_log "$dir/stderr.txt" 'Game over: OK' 4 && break
done
wait_log_count "$dir/stderr.txt" 'Playing music from base\\music\\MainMenu.mus' 2 20 || fail "no menu after the game-over window"
xdotool key --window "$win" Escape 2>/dev/null || true
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc after the game"; }
rm -rf "$dir"
echo "singleplayer: ok"
