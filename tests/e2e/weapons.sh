#!/usr/bin/env bash
# A single-player game played with the weapons, as a new player would: the HUD's score, the
# console's help, the gun, a missile and a bomb given with giveitem and used with the left mouse
# button, then Escape and Yes back to the menu. (The game-over window has its own runs: menu.sh,
# singleplayer.sh.)
source "$(dirname "$0")/lib.bash"
ensure_display

log() { cat "$dir/stderr.txt"; }
die() { log; kill -9 "$pid" 2>/dev/null || true; fail "$*"; }
shot() { import -window "$win" "$SHOTS/weapons-$1.png" 2>/dev/null || true; }

# "r g b" of each pixel "x,y" given, one line each, from one picture of the window as it is now.
window_pixels() {
    local spec="" at
    for at in "$@"; do spec+="%[fx:int(255*p{$at}.r)] %[fx:int(255*p{$at}.g)] %[fx:int(255*p{$at}.b)]\n"; done
    timeout 20 import -window "$win" "$dir/probe.png" 2>/dev/null || return 0
    convert "$dir/probe.png" -format "$spec" info: 2>/dev/null
}

# The scoreboard's two token bars (the player's, the computer's) at their left end, as two words:
# F where green fill shows (a score above zero), E where the bar is empty, - where no bar shows.
bars() {
    local r g b out=""
    while read -r r g b; do
        if [ "$g" -gt 150 ] && [ "$r" -lt 100 ] && [ "$b" -lt 100 ]; then out+="F "
        elif [ "$r" -gt 110 ] && [ "$r" -lt 180 ] && [ "$g" -gt 110 ] && [ "$g" -lt 180 ]; then out+="E "
        else out+="- "; fi
    done <<< "$(window_pixels 33,20 33,47)"
    echo "${out% }"
}

# The grave key opens the console ($1 = yes) or closes it ($1 = no), as the log says.
toggle_console() {
    if [ "$1" = yes ]; then key_and_wait "$dir/stderr.txt" 'Showing Console: ' grave
    else key_and_wait "$dir/stderr.txt" 'Closed Console$' grave; fi
}

# Types line $1 into the open console and runs it.
console_line() {
    xdotool type --window "$win" --delay 40 "$1"
    xdotool key --window "$win" Return
}

# Hands the player item $1 through the console (the line runs in the tick its Return comes in,
# before the grave key after it closes the console), then uses it with the left mouse button,
# held until the log holds one more line matching $2 (up to 30 s).
give_and_use() {
    local item=$1 line=$2 before
    before=$(count_log "$dir/stderr.txt" "$line")
    toggle_console yes
    console_line "giveitem $item"
    toggle_console no
    xdotool mousemove --window "$win" 640 500
    xdotool mousedown 1
    wait_log_count "$dir/stderr.txt" "$line" $((before + 1)) 30 || { xdotool mouseup 1; die "no \"$line\" after using the $item"; }
    xdotool mouseup 1
}

no_winner_yet() {
    if grep -q ' wins$' "$dir/stderr.txt"; then die "the game ended before $1"; fi
}

dir=$(make_game_folder)
write_windowed_ini "$dir" 1280 720
# The computer takes a token every ten seconds or so: it cannot reach 25 before the weapons are
# all used. No pickups, so the player holds only what giveitem hands out.
printf '[game]\ntokensCount=25\nskillLevel=2\nitemsDensity=0\n' > "$dir/tvl.ini"
# A loaded machine may take longer than one look to show the window.
start_game "$dir" || win=$(find_window) || win=$(find_window) || die "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
menu_music='Playing music from base\\music\\MainMenu.mus'
wait_log "$dir/stderr.txt" "$menu_music" 30 || die "the menu did not come up"
start_single_player "$dir"

# The HUD at the start: the player's score 0, its bar drawn empty. A busy machine may draw the
# first frames late, after the computer has already taken a token close by.
for i in $(seq 1 50); do
    case "$(bars)" in "E E" | "E F") break ;; esac
    sleep 0.2
done
case "$(bars)" in "E E" | "E F") ;; *) die "the HUD's token bars are not drawn at the start: $(bars)" ;; esac
shot hud-start

# The computer hunts the token: once it has one its bar fills, and the HUD shows it.
scored=""
# Mostly within ten seconds; now and then it circles the token for a minute or two.
for i in $(seq 1 300); do
    if [ "$(bars)" = "E F" ]; then scored=yes; break; fi
    sleep 0.5
done
[ -n "$scored" ] || die "the computer's token bar did not fill within 150 s: $(bars)"
shot hud-score
no_winner_yet "the console"

# The console: the grave key opens it, help lists the commands.
toggle_console yes
console_line help
wait_text_rows "$SHOTS/weapons-console-help.png" 1250x655+15+35 3 || die "help listed no commands"
toggle_console no

# The weapons, each used with the left mouse button.
give_and_use gun 'Fired pulse cannon [0-9]* of player [0-9]*$'
shot gun
# Five missiles: each homes on the computer, but one may run out of time while it races off, so
# another follows every few seconds. A hit is looked for, not required: the computer may outrun
# them all (the network run requires its hit).
give_and_use "missile 5" 'Fired missile [0-9]* of player [0-9]*$'
hit=""
for salvo in 1 2 3 4 5; do
    if wait_log "$dir/stderr.txt" 'Computer hit by missile [0-9]* of player [0-9]*$' 6; then hit=yes; break; fi
    no_winner_yet "a missile hit"
    [ "$salvo" = 5 ] && break
    fired=$(count_log "$dir/stderr.txt" 'Fired missile [0-9]* of player [0-9]*$')
    xdotool mousedown 1
    wait_log_count "$dir/stderr.txt" 'Fired missile [0-9]* of player [0-9]*$' $((fired + 1)) 30 || true
    xdotool mouseup 1
done
if [ -z "$hit" ]; then
    wait_log "$dir/stderr.txt" 'Computer hit by missile [0-9]* of player [0-9]*$' 12 && hit=yes
fi
[ -n "$hit" ] || echo "weapons: no missile caught the computer this time"
shot missile-hit
give_and_use bomb 'Player set off a bomb$'
shot bomb
no_winner_yet "the weapons were all used"

# Escape asks whether to end the game; Return answers Yes and the menu comes back.
question='Confirm: End game and return to menu?'
for attempt in 1 2 3 4 5; do
    xdotool key --window "$win" Escape
    wait_log "$dir/stderr.txt" "$question" 3 && break
done
wait_log "$dir/stderr.txt" "$question" 1 || die "Escape did not ask to end the game"
wait_log "$dir/stderr.txt" 'Showing Confirm: ' 30 || die "the question did not show"
shot end-question
xdotool key --window "$win" Return
wait_log "$dir/stderr.txt" 'Confirm: Yes' 10 || die "Return did not answer Yes"
wait_log_count "$dir/stderr.txt" "$menu_music" 2 20 || die "no menu after ending the game"
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { log; fail "exit code $rc after the game"; }
rm -rf "$dir"
echo "weapons: ok"
