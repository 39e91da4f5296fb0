#!/usr/bin/env bash
# F12 in the real program writes a screenshot of the window's size into the game folder;
# Control+F12 reloads the shaders instead.
source "$(dirname "$0")/lib.bash"
ensure_display

dir=$(make_game_folder)
write_windowed_ini "$dir" 800 600
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
xdotool key --window "$win" F12
shot=""
for i in $(seq 1 50); do
    shot=$(ls "$dir"/screenshot_*.png 2>/dev/null | head -n1 || true)
    [ -n "$shot" ] && break
    sleep 0.1
done
[ -n "$shot" ] || { cat "$dir/stderr.txt"; fail "F12 wrote no screenshot"; }
basename "$shot" | grep -Eq '^screenshot_[0-9]{8}_[0-9]{6}\.png$' || fail "screenshot name: $(basename "$shot")"
sleep 0.3
size=$(identify -format '%wx%h' "$shot")
[ "$size" = "800x600" ] || fail "screenshot size $size"
cp "$shot" "$SHOTS/f12.png"

# Control+F12, however quick, reloads the shaders and takes no screenshot.
xdotool key --window "$win" ctrl+F12
wait_log "$dir/stderr.txt" 'Reloaded shaders' 10 || { cat "$dir/stderr.txt"; fail "Ctrl+F12 reloaded no shader"; }
sleep 0.5
shots=$(ls "$dir"/screenshot_*.png | wc -l)
[ "$shots" = 1 ] || fail "Ctrl+F12 took a screenshot ($shots files)"
xdotool key --window "$win" Escape
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || fail "exit code $rc"
rm -rf "$dir"
echo "screenshot: all checks passed"
