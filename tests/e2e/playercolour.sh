#!/usr/bin/env bash
# A new colour picked in Player Options with the mouse, as a player would, drives the local
# vehicle in the next game: its pixels on screen carry the colour, and tvl.ini keeps it.
source "$(dirname "$0")/lib.bash"
ensure_display

# "r g b" of the pixel at x y of a picture.
pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:
}
# How many pixels of the w x h box at x y of a picture lie within 40 of "r g b" on every channel
# (each txt row starts with the pixel's x and y, then its channels).
count_near() {
    local file=$1 x=$2 y=$3 w=$4 h=$5 r=$6 g=$7 b=$8
    convert "$file" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- |
        awk -v r="$r" -v g="$g" -v b="$b" -F'[(),]' 'NR > 1 {
            dr = $3 - r; dg = $4 - g; db = $5 - b
            if (dr < 40 && dr > -40 && dg < 40 && dg > -40 && db < 40 && db > -40) n++
        } END { print n + 0 }'
}
click_at() { xdotool mousemove --window "$win" "$1" "$2"; sleep 0.2; xdotool click --window "$win" 1; sleep 0.5; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
printf '[user]\nplayerName=Painter\n[game]\ntokensCount=5\n' > "$dir/tvl.ini"
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Playing music from base\\music\\MainMenu.mus' 30 || fail "the menu did not come up"
# Moved once the menu is up: the program centres its new window itself.
xdotool windowmove "$win" 0 0 2>/dev/null || true

# Player Options, the fourth entry.
for i in 1 2 3; do xdotool key --window "$win" Down; sleep 0.3; done
xdotool key --window "$win" Return
wait_log "$dir/stderr.txt" 'Menu: Player Options' 10 || { cat "$dir/stderr.txt"; fail "Player Options did not open"; }
sleep 0.5

# Change sits right of the swatch in the 420 x 300 window centred in 1024 x 768; the picker
# opens at the pointer, its saturation/value square 8 pixels in, hue red for the grey it starts at.
change_x=$(((1024 - 420) / 2 + 305)); change_y=$(((768 - 300) / 2 + 147))
click_at "$change_x" "$change_y"
sleep 0.5
import -window root "$SHOTS/playercolour-picker.png" 2>/dev/null || true
pick_x=$((change_x + 8 + 230)); pick_y=$((change_y + 8 + 15))
read -r r g b <<< "$(pixel "$SHOTS/playercolour-picker.png" "$pick_x" "$pick_y")"
[ "$r" -gt 150 ] && [ "$g" -lt 90 ] && [ "$b" -lt 90 ] || fail "no red square under the pointer ($r $g $b)"
click_at "$pick_x" "$pick_y"
import -window root "$SHOTS/playercolour-picked.png" 2>/dev/null || true
# Enter takes the colour, and Enter again is Done.
xdotool key --window "$win" Return; sleep 0.7
import -window root "$SHOTS/playercolour-options.png" 2>/dev/null || true
read -r sr sg sb <<< "$(pixel "$SHOTS/playercolour-options.png" $(((1024 - 420) / 2 + 175)) $(((768 - 300) / 2 + 147)))"
echo "swatch: $sr $sg $sb (pick $r $g $b)"
[ "$sr" -gt 150 ] && [ "$sg" -lt 90 ] && [ "$sb" -lt 90 ] || fail "the swatch did not take the colour ($sr $sg $sb)"
xdotool key --window "$win" Return; sleep 0.7

# Back on the menu at Player Options: up to the first entry, then the carousel starts its map.
for i in 1 2 3; do xdotool key --window "$win" Up; sleep 0.3; done
start_single_player "$dir"
sleep 1.5
import -window root "$SHOTS/playercolour-game.png" 2>/dev/null || true

# Nothing else on the grass map is that red (the computer's vehicle is brown); below the HUD.
near=$(count_near "$SHOTS/playercolour-game.png" 0 60 1024 708 "$sr" "$sg" "$sb")
echo "pixels near the colour in the game: $near"
[ "$near" -ge 20 ] || fail "the vehicle does not show the picked colour ($near pixels)"

# Leave the game, then quit from the menu: tvl.ini keeps the colour.
for attempt in 1 2 3 4 5; do
    xdotool key --window "$win" Escape
    wait_log "$dir/stderr.txt" 'Confirm: End game and return to menu?' 3 && break
done
xdotool key --window "$win" Return
wait_log_count "$dir/stderr.txt" 'Playing music from base\\music\\MainMenu.mus' 2 20 || fail "no menu after the game"
sleep 0.5
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }
saved=$(grep '^playerColour=' "$dir/tvl.ini" | cut -d= -f2)
IFS=, read -r ir ig ib ia <<< "$saved"
[ "$ir" -gt 150 ] && [ "$ig" -lt 90 ] && [ "$ib" -lt 90 ] || fail "tvl.ini holds playerColour=$saved"
rm -rf "$dir"
echo "playercolour: ok"
