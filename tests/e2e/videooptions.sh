#!/usr/bin/env bash
# Video Options as a new player uses it: from the menu, 1024 x 768 windowed to 800 x 600 windowed
# and back, each window centred on the screen and the menu drawn whole in it; the last choice is
# kept in kvui3.ini and the next start opens in it.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/netlib.bash"
ensure_display

# The virtual screen offers its own size alone; give it the two window sizes as modes too.
command -v xrandr > /dev/null || fail "xrandr is missing (scripts/setup.sh installs it)"
output=$(xrandr | awk '/ connected/ { print $1; exit }')
xrandr --newmode 1024x768 65 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
xrandr --newmode 800x600 40 800 840 968 1056 600 601 605 628 +hsync +vsync
xrandr --addmode "$output" 1024x768
xrandr --addmode "$output" 800x600

# "r g b" of the pixel at x y of a picture.
pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# The window's size as "W H".
window_size() {
    xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }'
}

# The window's top-left corner on the screen as "X Y".
window_corner() {
    xwininfo -id "$win" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 } END { print x, y }'
}

# Whether the pixel at x y of picture $1 is the menu's title bar (dark blue) or its footer (a
# light grey over whatever the map shows through).
is_title() { local r g b; read -r r g b <<< "$(pixel "$1" "$2" "$3")"; [ "$r" -lt 40 ] && [ "$g" -lt 40 ] && [ "$b" -gt 90 ]; }
is_footer() {
    local r g b lo hi
    read -r r g b <<< "$(pixel "$1" "$2" "$3")"
    lo=$(printf '%s\n' "$r" "$g" "$b" | sort -n | head -n1)
    hi=$(printf '%s\n' "$r" "$g" "$b" | sort -n | tail -n1)
    [ "$lo" -ge 90 ] && [ "$hi" -le 200 ] && [ $((hi - lo)) -le 15 ]
}

# A picture of the window named $1 once the menu is drawn whole in it: the title bar across the
# top and the footer across the bottom, from edge to edge of the window (up to 10 s).
shot_menu() {
    local w h i file
    read -r w h <<< "$(window_size)"
    file="$SHOTS/videooptions-$1.png"
    for i in $(seq 1 20); do
        import -window "$win" "$file"
        is_title "$file" 400 20 && is_title "$file" $((w - 3)) 20 &&
            is_footer "$file" $((w / 2)) $((h - 3)) && is_footer "$file" $((w - 3)) $((h - 3)) && return 0
        sleep 0.5
    done
    fail "the menu is not drawn whole in the $w x $h window ($file)"
}

# Video Options (the menu's cursor $1 presses of Down above it), then key $2 once from the
# current size's row and Return; waits for the switch to $3 by $4 and finds the new window.
change_mode() {
    local key=$2 width=$3 height=$4 before asked
    before=$(count_log "$dir/stderr.txt" "Switched to windowed display resolution $width by $height")
    asked=$(count_log "$dir/stderr.txt" 'Display mode dialog')
    choose_menu_entry "$win" "$dir" "$1" "Video Options" || { cat "$dir/stderr.txt"; fail "Video Options did not open"; }
    wait_log_count "$dir/stderr.txt" 'Display mode dialog' $((asked + 1)) 10 || { cat "$dir/stderr.txt"; fail "no display mode dialog"; }
    sleep 0.5
    import -window root "$SHOTS/videooptions-dialog-to-$width.png"
    xdotool key --window "$win" "$key"
    sleep 0.2
    xdotool key --window "$win" Return
    wait_log_count "$dir/stderr.txt" "Switched to windowed display resolution $width by $height" $((before + 1)) 10 ||
        { cat "$dir/stderr.txt"; fail "no switch to $width x $height"; }
    win=$(find_window) || fail "no window after the switch"
    [ "$(window_size)" = "$width $height" ] || fail "the window is $(window_size), not $width $height"
    # Centred on the 1280 x 1024 screen, wholly on it.
    [ "$(window_corner)" = "$(((1280 - width) / 2)) $(((1024 - height) / 2))" ] ||
        fail "the $width x $height window stands at $(window_corner)"
    xdotool windowfocus --sync "$win" 2>/dev/null || true
}

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" "$menu_music" 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }
sleep 1
shot_menu 1024-first

# The rows are the screen's sizes, largest first: 1280 x 1024, 1024 x 768 and 800 x 600, the
# window's own selected. The menu's cursor stays on Video Options after each change.
change_mode 5 Down 800 600
shot_menu 800
change_mode 0 Up 1024 768
shot_menu 1024
change_mode 0 Down 800 600

escape_from_menu
[ "$RC" = 0 ] || fail "exit code $RC"
grep -qx 'width=800' "$dir/kvui3.ini" && grep -qx 'height=600' "$dir/kvui3.ini" && grep -qx 'window=True' "$dir/kvui3.ini" ||
    { cat "$dir/kvui3.ini"; fail "kvui3.ini did not keep 800 x 600 windowed"; }

# The next start opens in the kept mode.
start_game "$dir" || fail "window not found on the second start"
wait_log "$dir/stderr.txt" "$menu_music" 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up again"; }
[ "$(window_size)" = "800 600" ] || fail "the second start opened $(window_size)"
escape_from_menu
[ "$RC" = 0 ] || fail "exit code $RC on the second start"
rm -rf "$dir"
echo "videooptions: ok"
