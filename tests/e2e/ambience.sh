#!/usr/bin/env bash
# The ambient loops as a player hears them: OpenAL's wave driver records a single-player game on
# the meadow map (grass round one lake) while the vehicle drives about, the music silenced. The
# recording must hold sound; its spectrogram is left in the shots folder to be looked at.
source "$(dirname "$0")/lib.bash"
ensure_display

dir=$(make_game_folder)
write_windowed_ini "$dir" 1280 720
printf '[audio]\nglobalVolume=100\nsoundVolume=100\nmusicVolume=0\nmuteInactiveWindow=0\n' >> "$dir/kvui3.ini"
printf '[game]\ntokensCount=100\nitemsDensity=0\n[effects]\nambient=True\nwildlife=True\nplants=True\n[sound]\nambientSoundsGain=1\n' > "$dir/tvl.ini"
wav="$dir/ambience.wav"
printf '[general]\ndrivers=wave\n[wave]\nfile=%s\n' "$wav" > "$dir/alsoft.conf"

start_game "$dir" ALSOFT_DRIVERS=wave ALSOFT_CONF="$dir/alsoft.conf" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
menu_music='Playing music from base\\music\\MainMenu.mus'
wait_log "$dir/stderr.txt" "$menu_music" 30 || fail "the menu did not come up"
# The carousel opens on the meadow map; Return starts it.
game_music='Playing music from Base\\Music\\GreenMeadow.mus'
for attempt in 1 2 3 4 5 6; do
    xdotool key --window "$win" Return
    wait_log "$dir/stderr.txt" "$game_music" 3 && break
done
wait_log "$dir/stderr.txt" "$game_music" 1 || { cat "$dir/stderr.txt"; kill -9 "$pid"; fail "the meadow game did not start"; }
wait_log "$dir/stderr.txt" 'Showing Game: ' 30 || { cat "$dir/stderr.txt"; kill -9 "$pid"; fail "the meadow game showed no frame"; }

# Long straight runs with a short turn between them cross the map, and so pass the lake in
# its middle; a screenshot now and then shows where the view went.
# The game reads held keys from the X server's key map, so the keys go through XTEST.
xdotool windowfocus --sync "$win" 2>/dev/null || true
# The runs and turns are timed: the recording wants the time driven, not a state.
xdotool keydown Up
for run in $(seq 1 12); do
    sleep 2.5
    xdotool keydown Right; sleep 1.0; xdotool keyup Right
    [ $((run % 3)) = 0 ] && { import -window root "$SHOTS/ambience-run$run.png" 2>/dev/null || true; }
    kill -0 "$pid" 2>/dev/null || break
done
xdotool keyup Up Right

# "exit" in the console ends the game; Escape on the menu ends the program and closes the file.
menus=$(count_log "$dir/stderr.txt" "$menu_music")
key_and_wait "$dir/stderr.txt" 'Showing Console: ' grave
xdotool type --window "$win" --delay 40 "exit"
xdotool key --window "$win" Return
wait_log_count "$dir/stderr.txt" "$menu_music" $((menus + 1)) 15 || { cat "$dir/stderr.txt"; kill -9 "$pid"; fail "exit did not end the game"; }
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $rc"; }

[ -s "$wav" ] || fail "the wave driver wrote nothing"
stats=$(sox "$wav" -n stat 2>&1) || fail "sox cannot read the recording: $stats"
echo "$stats"
seconds=$(echo "$stats" | awk -F: '/^Length/ {print int($2)}')
rms=$(echo "$stats" | awk -F: '/^RMS +amplitude/ {print $2}')
[ "$seconds" -ge 15 ] || fail "the recording is only $seconds s long"
# With the music at 0 the game's own sounds and the loops make the recording; silence is near 0.
awk -v r="$rms" 'BEGIN { exit !(r > 0.003) }' || fail "the recording is silent (RMS $rms)"
# The meadow loop's crickets sing at 4.3 kHz: over the last 15 s that band stands well above
# its neighbour at 6.1 kHz.
band() { sox "$wav" -n trim $((seconds - 15)) sinc "$1" stat 2>&1 | awk -F: '/^RMS +amplitude/ {print $2}'; }
crickets=$(band 4200-4400); beside=$(band 6000-6200)
echo "crickets $crickets, beside them $beside"
awk -v c="$crickets" -v b="$beside" 'BEGIN { exit !(c > 3 * b && c > 0.001) }' || fail "no meadow loop in the recording"
sox "$wav" -n spectrogram -x 1200 -y 513 -t "ambience: meadow game" -o "$SHOTS/ambience-spectrogram.png" || fail "no spectrogram"
cp "$wav" "$SHOTS/ambience.wav"
rm -rf "$dir"
echo "ambience: ok"
