#!/usr/bin/env bash
# Every window on the smallest screen the game runs in: started windowed at 640 x 480 (centred on
# the screen), each menu entry's window opened in turn with the windows it leads to -- the game
# settings, the bookmark editor, a message, the address question, the colour picker, the file
# dialog, the Audio Panel's question, the F1 text, a game's console, Audio Panel, question and
# game-over window -- each pictured in $SHOTS as windows-*.png, found whole on the 640 x 480 view
# and closed with the key the documentation gives for it. Then a window as large as the screen
# opens at its corner, whole.
source "$(dirname "$0")/lib.bash"
source "$(dirname "$0")/netlib.bash"
ensure_display

game_music='Playing music from Base\\Music\\'

# The pointer away from the window, so that it picks no menu row.
park_pointer() { xdotool mousemove 1279 1023; }

# The window's place on the screen as "x y w h".
window_geometry() {
    xdotool getwindowgeometry "$win" |
        awk '/Position:/ { split($2, p, ","); x = p[1]; y = p[2] } /Geometry:/ { split($2, g, "x"); print x, y, g[1], g[2] }'
}

# Runs the command $3... and waits for the Showing line of window $1 it brings (the window's first
# frame is then on screen); fails unless the window lies within the 640 x 480 view; pictures the
# program's window as windows-$2.png.
open_window() {
    local name=$1 shot=$2 before line w h x y
    shift 2
    before=$(count_log "$log" "Showing $name: ")
    "$@"
    wait_log_count "$log" "Showing $name: " $((before + 1)) 20 || { cat "$log"; fail "$name did not show"; }
    line=$(grep "Showing $name: " "$log" | tail -n1)
    read -r w h x y <<< "$(sed 's/.*: \(-*[0-9]*\) x \(-*[0-9]*\) at \(-*[0-9]*\), \(-*[0-9]*\)$/\1 \2 \3 \4/' <<< "$line")"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 640 ] && [ $((y + h)) -le 480 ] ||
        fail "$name does not lie within 640 x 480: $line"
    import -window "$win" "$SHOTS/windows-$shot.png"
}

# Presses the keys $2... and waits for the Closed line of window $1.
close_window() {
    local name=$1 before
    shift
    before=$(count_log "$log" "Closed $name\$")
    xdotool key --window "$win" "$@"
    wait_log_count "$log" "Closed $name\$" $((before + 1)) 20 || { cat "$log"; fail "$* did not close $name"; }
}

# How many rows of text the console's line panel shows in picture $1: bands of lines of pixels
# that hold light text over the panel's dark face.
text_rows() {
    convert "$1" -crop 610x400+15+40 -colorspace gray -depth 8 txt:- |
        awk -F'[,:() ]+' 'NR > 1 && $3 > 128 { lit[$2] = 1 }
                          END { n = 0; for (y = 0; y < 400; y++) if (lit[y] && !lit[y - 1]) n++; print n }'
}

press() { xdotool key --window "$win" "$@"; }
# $1 presses of Down on the menu, then Return, which must open the entry captioned $2.
menu_entry() { choose_menu_entry "$win" "$dir" "$1" "$2" || { cat "$log"; fail "the menu did not open $2"; }; }
click_at() { xdotool mousemove --window "$win" "$1" "$2" click 1; }

dir=$(make_game_folder)
log=$dir/stderr.txt
write_windowed_ini "$dir" 640 480
printf '[user]\nplayerName=Tester\n[game]\ntokensCount=1\nskillLevel=0\n' > "$dir/tvl.ini"
park_pointer
start_game "$dir" ALSOFT_DRIVERS=null || fail "window not found"
wait_log "$log" "$menu_music" 30 || { cat "$log"; fail "the menu did not come up"; }
[ "$(window_geometry)" = "320 272 640 480" ] || fail "the window opened at $(window_geometry), not centred"
xdotool windowfocus --sync "$win" 2>/dev/null || true
import -window "$win" "$SHOTS/windows-menu.png"

# Host Network Server: Escape is its Cancel.
open_window "Start Network Game Server" host menu_entry 1 "Host Network Server"
close_window "Start Network Game Server" Escape

# Connect to Server: Insert makes a bookmark, whose Save without a description says so;
# Return on Quick Connect asks for the address; Escape answers each and leaves (Back).
open_window "Join Network Game" join menu_entry 1 "Connect to Server"
open_window "New Server Bookmark" bookmark press Insert
open_window "Message" bookmark-message press Return
close_window "Message" Return
close_window "New Server Bookmark" Escape
open_window "Enter Remote Host Address" address press Return
close_window "Enter Remote Host Address" Escape
close_window "Join Network Game" Escape

# Player Options: Change opens the colour picker (Escape keeps the colour); Return is Done.
open_window "Multiplayer Options" player-options menu_entry 1 "Player Options"
open_window "Player Colour" colour click_at 415 238
close_window "Player Colour" Escape
park_pointer
close_window "Multiplayer Options" Return

# Audio Panel: F3 opens the file dialog, D asks about the default volumes; Escape closes each.
open_window "Audio Panel" audio-panel menu_entry 1 "Audio Panel"
open_window "Select File" file-dialog press F3
close_window "Select File" Escape
open_window "Confirm" audio-defaults press d
close_window "Confirm" Escape
close_window "Audio Panel" Escape

# Video Options: Escape is its Cancel.
open_window "Select Display Mode" video-options menu_entry 1 "Video Options"
close_window "Select Display Mode" Escape

# Help: Return is Done.
open_window "tvl.txt" help menu_entry 1 "Help"
close_window "tvl.txt" Return

# New Single Player Game, two rows down past Exit Game: the carousel, its game settings (a click
# on the Game Setup panel, Escape is Cancel), then a game on its first map.
open_window "Map Selection" map-selection menu_entry 2 "New Single Player Game"
open_window "Game Settings" game-settings click_at 320 400
close_window "Game Settings" Escape
park_pointer
games=$(count_log "$log" "$game_music")
press Return
wait_log_count "$log" "$game_music" $((games + 1)) 30 || { cat "$log"; fail "the game did not start"; }
# Paused, so that nobody reaches the target of 1 before the windows are seen.
press Pause

# The console (the grave key opens and closes it): a line wider than the console wraps.
open_window "Console" console press grave
xdotool type --window "$win" --delay 30 "no such command but a line far wider than the console is"
press Return
# Its answer, "No command or game variable" and the line, shows in two rows of the line panel.
for i in $(seq 1 40); do
    import -window "$win" "$SHOTS/windows-console-wrapped.png"
    [ "$(text_rows "$SHOTS/windows-console-wrapped.png")" -ge 2 ] && break
    sleep 0.25
done
[ "$(text_rows "$SHOTS/windows-console-wrapped.png")" -ge 2 ] || fail "the console's answer is not in two rows"
close_window "Console" grave
open_window "Audio Panel" game-audio-panel press F5
close_window "Audio Panel" Escape
open_window "tvl.txt" game-help press F1
close_window "tvl.txt" Return

# Pause again resumes; Escape asks whether to end the game (Escape is No).
press Pause
open_window "Confirm" game-question press Escape
close_window "Confirm" Escape

# Drive until somebody takes the one token (up to two minutes); the game-over window closes with
# Escape.
drive_until_won() {
    local i turn
    for i in $(seq 1 60); do
        if [ $((i % 2)) -eq 0 ]; then turn=Left; else turn=Right; fi
        xdotool keydown Up keydown "$turn"; sleep 0.5; xdotool keyup "$turn" keyup Up
        wait_log "$log" ' wins$' 1 && break
    done
    xdotool keyup Up keyup Left keyup Right
}
open_window "Game Over" game-over drive_until_won
menus=$(count_log "$log" "$menu_music")
close_window "Game Over" Escape
wait_log_count "$log" "$menu_music" $((menus + 1)) 20 || { cat "$log"; fail "the menu did not come back"; }

escape_from_menu
[ "$RC" = 0 ] || { cat "$log"; fail "exit code $RC"; }
grep -q 'Unable to\|Failed' "$log" && { cat "$log"; fail "an error was logged"; }

# A window as large as the screen opens at its corner, wholly on it.
write_windowed_ini "$dir" 1280 1024
start_game "$dir" ALSOFT_DRIVERS=null || fail "window not found on the second start"
wait_log "$log" "$menu_music" 30 || { cat "$log"; fail "the menu did not come up again"; }
[ "$(window_geometry)" = "0 0 1280 1024" ] || fail "the screen-sized window opened at $(window_geometry)"
escape_from_menu
[ "$RC" = 0 ] || { cat "$log"; fail "exit code $RC on the second start"; }
rm -rf "$dir"
echo "windows: all checks passed"
