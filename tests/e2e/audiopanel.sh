#!/usr/bin/env bash
# The Audio Panel as a new player meets it: opened from the menu, the music bar dragged down
# (the mix OpenAL records gets quieter), a track from base\music.pak chosen in the file dialog
# with the keys (it plays), the panel closed, the program left with code 0.
source "$(dirname "$0")/lib.bash"
ensure_display
source "$(dirname "$0")/netlib.bash"

dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
printf '[audio]\nglobalVolume=100\nmusicVolume=80\n' >> "$dir/kvui3.ini"
printf '[user]\nplayerName=Listener\n' > "$dir/tvl.ini"
# OpenAL's wave driver records the mix in real time: 16-bit stereo at 44100 Hz.
printf '[general]\ndrivers=wave\nsample-type=int16\nchannels=stereo\nfrequency=44100\n[wave]\nfile=%s\n' \
    "$dir/mix.wav" > "$dir/alsoft.conf"

start_game "$dir" ALSOFT_DRIVERS=wave ALSOFT_CONF="$dir/alsoft.conf" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" 'Showing Main Menu: ' 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }

# RMS of the samples the recording gained over $1 seconds.
record_rms() {
    local before after
    before=$(stat -c %s "$dir/mix.wav")
    sleep "$1"
    after=$(stat -c %s "$dir/mix.wav")
    python3 - "$dir/mix.wav" "$before" "$after" <<'EOF'
import array, math, sys
path, start, end = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
start = max(start, 44) // 4 * 4
end = end // 4 * 4
with open(path, 'rb') as f:
    f.seek(start)
    data = array.array('h', f.read(end - start))
print(int(math.sqrt(sum(s * s for s in data) / len(data))) if data else 0)
EOF
}

choose_menu_entry "$win" "$dir" 4 "Audio Panel" || { cat "$dir/stderr.txt"; fail "the menu did not open the Audio Panel"; }
wait_log "$dir/stderr.txt" 'Showing Audio Panel: ' 30 || { cat "$dir/stderr.txt"; fail "the Audio Panel did not show"; }
import -window root "$SHOTS/audiopanel-open.png" 2>/dev/null || true
loud=$(record_rms 2)

# The music bar (630 x 470 panel centred in 1024 x 768: the bar's track runs from x 217 to 807
# at y 329..353, its 32-pixel dragger at 80 centred on x 679) dragged down to about 5.
# The bar reads the pointer once a frame: each step of the drag is held a few frames (the
# bar tells nothing while it moves, the recording below shows where it ended).
xdotool mousemove --window "$win" 679 341; sleep 0.3
xdotool mousedown 1; sleep 0.2
for x in 600 500 400 300 261; do xdotool mousemove --window "$win" $x 341; sleep 0.1; done
sleep 0.2; xdotool mouseup 1
xdotool mousemove --window "$win" 600 700
# The new volume is heard once the mix queued at the old one has been written out.
sleep 1
quiet=$(record_rms 2)
import -window root "$SHOTS/audiopanel-quieter.png" 2>/dev/null || true
echo "music RMS before the drag: $loud, after: $quiet"
[ "$loud" -gt 200 ] || fail "the menu music was not recorded (RMS $loud)"
[ $((quiet * 3)) -lt "$loud" ] || fail "lowering the music volume did not make it quieter ($loud -> $quiet)"

# F3: the file dialog opens on base\music\ (where the menu's music came from), which lists the
# loose tracks and those of base\music.pak. Down goes from the name to the list's first row,
# Down again to the second, Return (Ok) plays it.
key_and_wait "$dir/stderr.txt" 'Showing Select File: ' F3
import -window root "$SHOTS/audiopanel-filedialog.png" 2>/dev/null || true
# The list takes one Down a tick; a picture of the window shows each move.
for i in 1 2; do key_and_watch Down || { cat "$dir/stderr.txt"; fail "Down did not move in the file dialog"; }; done
import -window root "$SHOTS/audiopanel-filedialog-chosen.png" 2>/dev/null || true
xdotool key --window "$win" Return
wait_log "$dir/stderr.txt" 'Playing music from .*base\\music\\GreenMeadow\.mus' 10 ||
    { cat "$dir/stderr.txt"; fail "the track chosen in the file dialog did not play"; }
wait_log "$dir/stderr.txt" 'Closed Select File$' 30 || { cat "$dir/stderr.txt"; fail "the file dialog did not close"; }
import -window root "$SHOTS/audiopanel-playing.png" 2>/dev/null || true
grep -q 'Unable to find\|Failed' "$dir/stderr.txt" && { cat "$dir/stderr.txt"; fail "an error was logged"; }

# Escape closes the panel, and a second one on the menu ends the program.
key_and_wait "$dir/stderr.txt" 'Closed Audio Panel$' Escape
import -window root "$SHOTS/audiopanel-closed.png" 2>/dev/null || true
escape_from_menu
[ "$RC" = 0 ] || { cat "$dir/stderr.txt"; fail "exit code $RC"; }
grep -qxE 'musicVolume=([0-9]|1[0-9])' "$dir/kvui3.ini" || fail "kvui3.ini did not keep the lowered music volume"
rm -rf "$dir"
echo "audiopanel: all checks passed"
