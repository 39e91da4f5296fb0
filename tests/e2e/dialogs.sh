#!/usr/bin/env bash
# The modal dialogs as a new player meets them: Escape in a game asks before it ends it (No keeps
# playing, Yes goes back to the menu), Help shows the documentation in the viewer (scrolled, then
# closed with Done), and closing the window while a question is open ends with code 0 and both
# settings files written.
source "$(dirname "$0")/lib.bash"
ensure_display

question='Confirm: End game and return to menu?'
menu_music='Playing music from base\\music\\MainMenu.mus'
game_music='Playing music from Base\\Music\\'

# From the menu into a game: Return opens the carousel, Return starts its map. A loaded machine
# may drop a press while it draws, so press until the map's music says the game is on; then
# its first frame.
start_a_game() {
    local before games attempt
    before=$(count_log "$dir/stderr.txt" "$game_music")
    games=$(count_log "$dir/stderr.txt" 'Showing Game: ')
    for attempt in 1 2 3 4 5 6; do
        xdotool key --window "$win" Return
        wait_log_count "$dir/stderr.txt" "$game_music" $((before + 1)) 3 && break
    done
    wait_log_count "$dir/stderr.txt" 'Showing Game: ' $((games + 1)) 30
}

# Escape in the game until the question is asked for the n-th time ($1).
ask_question() {
    local attempt
    for attempt in 1 2 3 4 5; do
        xdotool key --window "$win" Escape
        wait_log_count "$dir/stderr.txt" "$question" "$1" 3 && break
    done
    wait_log_count "$dir/stderr.txt" 'Showing Confirm: ' "$1" 30
}

dir=$(make_game_folder)
write_windowed_ini "$dir" 1280 720
printf '[user]\nplayerName=Asker\n[game]\ntokensCount=55\n' > "$dir/tvl.ini"
park_pointer
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Showing Main Menu: ' 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }

# Escape, No: the game goes on.
start_a_game || { cat "$dir/stderr.txt"; fail "the game did not start"; }
ask_question 1 || { cat "$dir/stderr.txt"; fail "Escape in the game asked nothing"; }
import -window root "$SHOTS/dialogs-question.png" 2>/dev/null || true
xdotool key --window "$win" Escape
wait_log "$dir/stderr.txt" 'Confirm: No' 10 || { cat "$dir/stderr.txt"; fail "Escape did not answer No"; }
wait_log "$dir/stderr.txt" 'Closed Confirm$' 30 || { cat "$dir/stderr.txt"; fail "the question did not close"; }
# Driven a second: no state to wait for, the game only has to go on under the key.
xdotool keydown --window "$win" w; sleep 1; xdotool keyup --window "$win" w
import -window root "$SHOTS/dialogs-after-no.png" 2>/dev/null || true
[ "$(count_log "$dir/stderr.txt" "$menu_music")" = 1 ] || fail "No went back to the menu"

# Escape, Yes: back in the menu (its music starts again).
ask_question 2 || { cat "$dir/stderr.txt"; fail "the second Escape asked nothing"; }
xdotool key --window "$win" Return
wait_log "$dir/stderr.txt" 'Confirm: Yes' 10 || { cat "$dir/stderr.txt"; fail "Return did not answer Yes"; }
wait_log_count "$dir/stderr.txt" 'Showing Main Menu: ' 2 30 || { cat "$dir/stderr.txt"; fail "Yes did not go back to the menu"; }
import -window root "$SHOTS/dialogs-menu-again.png" 2>/dev/null || true

# Help: the sixth entry down.
for i in 1 2 3 4 5 6; do key_and_wait "$dir/stderr.txt" 'Menu cursor: ' Down; done
xdotool key --window "$win" Return
wait_log "$dir/stderr.txt" 'Showing tvl.txt' 30 || { cat "$dir/stderr.txt"; fail "Help showed no documentation"; }
import -window root "$SHOTS/dialogs-help.png" 2>/dev/null || true
# Page Down moves the text, as the picture of the window shows; the two after it may reach the
# end, where nothing moves.
key_and_watch Next || { cat "$dir/stderr.txt"; fail "Page Down did not move the text"; }
xdotool key --window "$win" Next Next
import -window root "$SHOTS/dialogs-help-scrolled.png" 2>/dev/null || true
xdotool key --window "$win" Return
wait_log "$dir/stderr.txt" 'Closed tvl.txt' 10 || { cat "$dir/stderr.txt"; fail "Done did not close the viewer"; }

# Closing the window while the question is open: the close road from inside the dialog.
for i in 1 2 3 4 5 6; do key_and_wait "$dir/stderr.txt" 'Menu cursor: ' Up; done
start_a_game || { cat "$dir/stderr.txt"; fail "the second game did not start"; }
ask_question 3 || { cat "$dir/stderr.txt"; fail "the third Escape asked nothing"; }
"$XCLOSE" "$win"
answer_close_question yes || fail "closing the window asked nothing"
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "closing inside the dialog: exit code $rc"; }
check_settings_written "$dir" Asker
rm -rf "$dir"
echo "dialogs: all checks passed"
