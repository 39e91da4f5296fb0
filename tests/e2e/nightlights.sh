#!/usr/bin/env bash
# The night map as a new player finds it: picked in the carousel, the world dark, the vehicle's
# engine glow lighting the ground behind it. Screenshot: nightlights-forest.png.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/netlib.bash"
ensure_display

die() { cat "$dir/stderr.txt"; kill -9 "$pid" 2>/dev/null || true; fail "$*"; }

# Of the last picture of the window: its mean brightness (0..255), and how many of its pixels
# are lit yellow (red and green well above blue, red close to green: not the grass).
brightness() { convert "$dir/probe.png" -colorspace Gray -format '%[fx:int(255*mean)]' info: 2>/dev/null; }
yellow_pixels() {
    convert "$dir/probe.png" -fx '(r>0.23 && g>0.23 && b<min(r,g)/2 && r*10>g*8)?1:0' \
        -format '%[fx:int(mean*w*h)]' info: 2>/dev/null
}

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
# Enough tokens that the computer cannot win before the light is seen.
printf '[game]\ntokensCount=25\nskillLevel=1\nitemsDensity=0\n' > "$dir/tvl.ini"
start_game "$dir" || win=$(find_window) || die "window not found"
wait_log "$dir/stderr.txt" "$menu_music" 30 || die "the menu did not come up"
press_until "$win" Return "$dir" 'Menu: New Single Player Game' || die "the carousel did not open"
press_until "$win" Right "$dir" 'Map: Night Forest' || die "the carousel did not move to the night map"
press_until "$win" Return "$dir" 'Playing music from Base\\Music\\NightForest.mus' || die "the night map did not start"

# The vehicles' engine glows are the only yellow in the dark: wait for the game's frames to show
# one (the carousel before them is brighter and has no yellow).
seen=""
for i in $(seq 1 60); do
    timeout 20 import -window "$win" "$dir/probe.png" 2>/dev/null || true
    mean=$(brightness); lit=$(yellow_pixels)
    if [ "${mean:-255}" -lt 60 ] && [ "${lit:-0}" -ge 300 ]; then seen=yes; break; fi
    grep -q 'Game over: ' "$dir/stderr.txt" && break
    sleep 0.5
done
cp "$dir/probe.png" "$SHOTS/nightlights-forest.png" 2>/dev/null || true
[ -n "$seen" ] || die "no vehicle light in the dark: mean brightness ${mean:-none}, yellow pixels ${lit:-none}"
echo "nightlights: mean brightness $mean, yellow pixels $lit"

leave_game "$win" "$dir" 1 || die "the game did not end on Escape and Yes"
wait_log_count "$dir/stderr.txt" "$menu_music" 2 20 || die "no menu after the game"
quit_from_menu "$pid" "$win"
rm -rf "$dir"
echo "nightlights: ok"
