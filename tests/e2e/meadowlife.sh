#!/usr/bin/env bash
# The meadow as a new player finds it: flowers and grass tufts fade in around the vehicle, and
# bees, butterflies and flies move over them. Pictures a second apart (meadowlife-a.png,
# meadowlife-b.png): the flowers' colours must show, and the bright yellow and pink pixels (bees
# among the flowers) must not all stand where they stood.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/netlib.bash"
ensure_display

die() { cat "$dir/stderr.txt"; kill -9 "$pid" 2>/dev/null || true; fail "$*"; }

# Picture $1 as a black and white mask of its flower colours: pink and purple petals, yellow
# petals and bees' stripes; no terrain, water or HUD colour of the meadow falls in them.
flower_mask() {
    convert "$1" -fx '((r>0.7 && b>0.55 && g<0.6) || (r>0.8 && g>0.7 && b<0.35))?1:0' "$2" 2>/dev/null
}
white_pixels() { convert "$1" -format '%[fx:int(mean*w*h)]' info: 2>/dev/null; }

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
printf '[game]\ntokensCount=25\nskillLevel=1\nitemsDensity=0\n' > "$dir/tvl.ini"
start_game "$dir" || win=$(find_window) || die "window not found"
wait_log "$dir/stderr.txt" "$menu_music" 30 || die "the menu did not come up"
press_until "$win" Return "$dir" 'Menu: New Single Player Game' || die "the carousel did not open"
press_until "$win" Return "$dir" 'Playing music from Base\\Music\\GreenMeadow.mus' || die "the meadow did not start"

# The plants fade in over half a second once the first tick has placed them.
flowers=0
for i in $(seq 1 60); do
    timeout 20 import -window "$win" "$dir/a.png" 2>/dev/null || true
    flower_mask "$dir/a.png" "$dir/mask-a.png"
    flowers=$(white_pixels "$dir/mask-a.png"); flowers=${flowers:-0}
    [ "$flowers" -ge 150 ] && break
    grep -q 'Game over: ' "$dir/stderr.txt" && break
    sleep 0.5
done
[ "$flowers" -ge 150 ] || die "no flowers on the meadow: $flowers flower pixels"
# Once they have all faded in, two pictures a second apart. The fade takes half a second and
# tells nothing of its end: two seconds are waited out.
sleep 2
timeout 20 import -window "$win" "$dir/a.png" 2>/dev/null || die "no first picture"
cp "$dir/a.png" "$SHOTS/meadowlife-a.png" 2>/dev/null || true
flower_mask "$dir/a.png" "$dir/mask-a.png"
# Where the vehicle starts decides how many creatures are near: count the changes over two
# seconds, a picture each second.
moved=0
previous=a
for next in b c; do
    sleep 1 # what moved in a second is what is measured
    timeout 20 import -window "$win" "$dir/$next.png" 2>/dev/null || die "no picture $next"
    flower_mask "$dir/$next.png" "$dir/mask-$next.png"
    changed=$(compare -metric AE "$dir/mask-$previous.png" "$dir/mask-$next.png" null: 2>&1 || true)
    moved=$((moved + ${changed%% *}))
    previous=$next
done
cp "$dir/b.png" "$SHOTS/meadowlife-b.png" 2>/dev/null || true
echo "meadowlife: $flowers flower pixels, $moved changes of them in two seconds"
[ "$moved" -ge 250 ] || die "nothing among the flowers moved in two seconds ($moved pixels)"

leave_game "$win" "$dir" 1 || die "the game did not end on Escape and Yes"
wait_log_count "$dir/stderr.txt" "$menu_music" 2 20 || die "no menu after the game"
quit_from_menu "$pid" "$win"
rm -rf "$dir"
echo "meadowlife: ok"
