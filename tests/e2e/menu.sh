#!/usr/bin/env bash
# A new player's first run: the menu, the map carousel (a held Enter must not start a game), a
# single-player game driven to its end, the menu again with the same map selected, then Exit.
source "$(dirname "$0")/lib.bash"
ensure_display

# "r g b" of the pixel at x y of a picture.
pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# The index of the one bright dot of the carousel's row, or -1 when there is not exactly one.
selected_dot() {
    local file=$1 count=$2 width=$3 i x r g b found=-1 bright=0
    for i in $(seq 0 $((count - 1))); do
        x=$((width / 2 - (count - 1) * 11 + 22 * i))
        read -r r g b <<< "$(pixel "$file" "$x" 17)"
        if [ $(((r + g + b) / 3)) -gt 150 ]; then found=$i; bright=$((bright + 1)); fi
    done
    [ "$bright" -eq 1 ] && echo "$found" || echo -1
}

shot() { import -window "$win" "$SHOTS/menu-$1.png"; echo "$SHOTS/menu-$1.png"; }

# Takes pictures named $1 until the carousel shows dot $2 (up to 10 s: a loaded machine draws
# late); prints the last picture's dot.
wait_dot() {
    local name=$1 want=$2 i got=-1
    for i in $(seq 1 20); do
        got=$(selected_dot "$(shot "$name")" "$maps" 1024)
        [ "$got" = "$want" ] && break
        sleep 0.5
    done
    echo "$got"
}

# Waits up to $2 seconds for the log to hold $1 lines of menu music.
wait_menu_music() {
    local want=$1 limit=$2 i
    for i in $(seq 0 $((limit * 10))); do
        [ "$(grep -c 'Playing music from base\\music\\MainMenu.mus' "$dir/stderr.txt")" -ge "$want" ] && return 0
        [ "$i" -lt $((limit * 10)) ] && sleep 0.1
    done
    return 1
}

map_music_lines() { grep -c 'Playing music from Base\\Music\\' "$dir/stderr.txt" || true; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
printf '[game]\ntokensCount=1\n' > "$dir/tvl.ini"
maps=$(sed -n 's/^mapCount=\([0-9]*\).*/\1/p' "$dir/base/MapList.ini")
[ "${maps:-0}" -ge 2 ] || fail "the map list needs two maps or more"
start_game "$dir" ALSOFT_DRIVERS=null || fail "window not found"
xdotool windowfocus --sync "$win"
wait_menu_music 1 30 || { cat "$dir/stderr.txt"; fail "the menu music did not start"; }
wait_log "$dir/stderr.txt" 'Showing Main Menu: ' 30 || { cat "$dir/stderr.txt"; fail "the menu was not drawn"; }

menu=$(shot main)
title_bar=$(pixel "$menu" 400 20)
footer_bar=$(pixel "$menu" 600 745)
is_menu() { [ "$(pixel "$1" 400 20)" = "$title_bar" ] && [ "$(pixel "$1" 600 745)" = "$footer_bar" ]; }
[ "$(selected_dot "$menu" "$maps" 1024)" = -1 ] || fail "carousel dots on the icon menu"

# Enter held well past the release wait on "New Single Player Game" opens the carousel and no more.
# Held for a measured time: what is tested is what the program does while it is down.
xdotool keydown Return; sleep 2; xdotool keyup Return
wait_log "$dir/stderr.txt" 'Showing Map Selection: ' 30 || { cat "$dir/stderr.txt"; fail "a held Enter did not open the carousel"; }
got=$(wait_dot carousel-held 0)
[ "$(map_music_lines)" = 0 ] || fail "a held Enter started a game"
[ "$got" = 0 ] || fail "a held Enter did not leave the carousel open on map 0 (dot $got)"

act_and_wait "$dir/stderr.txt" 'Map: ' xdotool key Right
[ "$(wait_dot carousel 1)" = 1 ] || fail "Right did not select the second map"

# Into the game; drive with held keys until somebody wins and the menu comes back.
act_and_wait "$dir/stderr.txt" 'Showing Game: ' xdotool key Return
[ "$(map_music_lines)" -ge 1 ] || { cat "$dir/stderr.txt"; fail "no game started"; }
# The computer may win within seconds; a picture taken before the menu came back is the game's.
game=$(shot game)
if [ "$(count_log "$dir/stderr.txt" 'Showing Main Menu: ')" = 1 ]; then
    is_menu "$game" && fail "the menu is still shown during the game"
    [ "$(selected_dot "$game" "$maps" 1024)" = -1 ] || fail "the carousel is still shown during the game"
fi
ended=no
for i in $(seq 1 90); do
    if [ $((i % 2)) -eq 0 ]; then turn=Left; else turn=Right; fi
    xdotool keydown Up keydown "$turn"; sleep 0.7; xdotool keyup "$turn"; sleep 1.3; xdotool keyup Up
    if grep -q ' wins$' "$dir/stderr.txt"; then ended=yes; break; fi
done
xdotool keyup Up keyup Left keyup Right
[ "$ended" = yes ] || { shot game-stuck > /dev/null; fail "the game did not end within three minutes"; }
# The game-over window: Space closes it (once it is up: a key held as it opens is waited out).
wait_log "$dir/stderr.txt" 'Game over: .* wins!' 20 || { cat "$dir/stderr.txt"; fail "no game-over window"; }
shot game-over > /dev/null
for i in 1 2 3 4 5; do
    xdotool key space
    wait_log "$dir/stderr.txt" 'Game over: OK' 4 && break
done
wait_log_count "$dir/stderr.txt" 'Showing Main Menu: ' 2 30 || { cat "$dir/stderr.txt"; fail "the menu did not come back after the game-over window"; }
kill -0 "$pid" 2>/dev/null || { cat "$dir/stderr.txt"; fail "the program ended with the game"; }
after=$(shot after-game)
is_menu "$after" || fail "the icon menu did not come back after the game"

# Clicking the first row opens the carousel on the map played.
act_and_wait "$dir/stderr.txt" 'Showing Map Selection: ' xdotool mousemove --window "$win" 150 70 click 1
[ "$(wait_dot carousel-again 1)" = 1 ] || fail "the map played is not selected after the game"

# Back, then Exit Game with the mouse.
act_and_wait "$dir/stderr.txt" 'Closed Map Selection$' xdotool key Escape
# The pointer on Exit Game moves the menu's cursor there before the click.
act_and_wait "$dir/stderr.txt" 'Menu cursor: Exit Game' xdotool mousemove --window "$win" 150 400
xdotool click 1
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "Exit Game: exit code $rc"; }
[ "$(head -n3 "$dir/kvui3.ini")" = "$(printf '\n[info]\nversion=3')" ] || fail "kvui3.ini not written"
grep -q '^window=True' "$dir/kvui3.ini" || fail "kvui3.ini lost the windowed flag"
grep -qx 'tokensCount=1' "$dir/tvl.ini" || fail "tvl.ini lost tokensCount"
[ "$(grep -c '=' "$dir/tvl.ini")" -eq 17 ] || fail "tvl.ini does not hold the 17 settings"
rm -rf "$dir"
echo "menu: all checks passed"
