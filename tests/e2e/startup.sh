#!/usr/bin/env bash
# Start-up and shutdown of the real program: windowed and default modes, a window taller than
# the desktop, Escape, no display.
source "$(dirname "$0")/lib.bash"
ensure_display

menu_music='Playing music from base\\music\\MainMenu.mus'

# Without a display the program ends at once with code 1 and says why.
dir=$(make_game_folder)
rc=0
(cd "$dir" && env -u DISPLAY ./torvale 2> "$dir/stderr.txt") || rc=$?
[ "$rc" -eq 1 ] || fail "no display: exit code $rc, expected 1"
grep -q "KVCore::init failed." "$dir/stderr.txt" || fail "no display: message missing"
[ ! -f "$dir/kvui3.ini" ] || fail "no display: kvui3.ini written"
rm -rf "$dir"

# Windowed from kvui3.ini; Escape ends with code 0 and the settings written.
dir=$(make_game_folder)
write_windowed_ini "$dir" 1024 768
start_game "$dir" || fail "window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" "$menu_music" 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry" | grep -q "1024x768" || fail "windowed geometry: $geometry"
import -window root "$SHOTS/startup-windowed.png" 2>/dev/null || true
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "windowed: exit code $rc"; }
head -c 20 "$dir/kvui3.ini" | od -c | head -n2
[ "$(head -n3 "$dir/kvui3.ini")" = "$(printf '\n[info]\nversion=3')" ] || fail "kvui3.ini does not begin with [info] version=3"
grep -q "^window=True" "$dir/kvui3.ini" || fail "kvui3.ini lost the windowed flag"
grep -q "^width=1024" "$dir/kvui3.ini" || fail "kvui3.ini lost the width"
rm -rf "$dir"

# A window taller than the desktop is asked for at the desktop's height, and that is kept.
dir=$(make_game_folder)
write_windowed_ini "$dir" 800 999999
start_game "$dir" || fail "tall window: window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" "$menu_music" 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry" | grep -q "800x1024" || fail "tall window geometry: $geometry"
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "tall window: exit code $rc"; }
grep -qx "height=1024" "$dir/kvui3.ini" || fail "tall window: kvui3.ini kept $(grep '^height=' "$dir/kvui3.ini")"
rm -rf "$dir"

# Without kvui3.ini: fullscreen at the desktop size.
dir=$(make_game_folder)
start_game "$dir" || fail "fullscreen: window not found"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_log "$dir/stderr.txt" "$menu_music" 30 || { cat "$dir/stderr.txt"; fail "the menu did not come up"; }
geometry=$(xdotool getwindowgeometry "$win")
echo "$geometry" | grep -q "1280x1024" || fail "fullscreen geometry: $geometry"
escape_from_menu; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "fullscreen: exit code $rc"; }
grep -q "^window=False" "$dir/kvui3.ini" || fail "fullscreen: kvui3.ini not fullscreen"
rm -rf "$dir"
echo "startup: all checks passed"
