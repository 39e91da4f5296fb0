#!/usr/bin/env bash
# The in-game console as a player meets it: the grave key opens it during a single-player game,
# typed lines run as commands (help lists them), and "exit" typed there ends the game.
source "$(dirname "$0")/lib.bash"
ensure_display

dir=$(make_game_folder)
write_windowed_ini "$dir" 1280 720
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
menu_music='Playing music from base\\music\\MainMenu.mus'
wait_log "$dir/stderr.txt" "$menu_music" 30 || fail "the menu did not come up"
start_single_player "$dir"
sleep 1

xdotool key --window "$win" grave
sleep 0.5
xdotool type --window "$win" --delay 40 "help"
xdotool key --window "$win" Return
sleep 1
import -window root "$SHOTS/console-help.png" 2>/dev/null || true

# "exit" ends the game: the menu's music plays again.
menus=$(count_log "$dir/stderr.txt" "$menu_music")
xdotool type --window "$win" --delay 40 "exit"
xdotool key --window "$win" Return
wait_log_count "$dir/stderr.txt" "$menu_music" $((menus + 1)) 15 || { cat "$dir/stderr.txt"; kill -9 "$pid"; fail "exit did not end the game"; }
sleep 1
import -window root "$SHOTS/console-after-exit.png" 2>/dev/null || true

escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }
rm -rf "$dir"
echo "console: ok"
