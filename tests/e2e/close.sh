#!/usr/bin/env bash
# The window's close button: windowed asks first (No keeps playing, Yes ends with code 0 and
# the settings written); fullscreen ends at once.
source "$(dirname "$0")/lib.bash"
ensure_display

dir=$(make_game_folder)
write_windowed_ini "$dir" 800 600
printf '[user]\nplayerName=Closer\n[game]\ntokensCount=77\n' > "$dir/tvl.ini"
start_game "$dir" || fail "window not found"
"$XCLOSE" "$win"
answer_close_question no close-confirm || fail "no question was asked"
# The answer is the program's once its box has gone.
for i in $(seq 1 300); do
    xdotool search --name '^Confirm$' > /dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --name '^Confirm$' > /dev/null 2>&1 && fail "the question stayed after No"
kill -0 "$pid" 2>/dev/null || fail "answering No ended the program"
"$XCLOSE" "$win"
answer_close_question yes || fail "no question the second time"
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "windowed close: exit code $rc"; }
check_settings_written "$dir" Closer
grep -qx 'tokensCount=77' "$dir/tvl.ini" || fail "tvl.ini lost tokensCount on close"
rm -rf "$dir"

dir=$(make_game_folder)
start_game "$dir" || fail "fullscreen: window not found"
"$XCLOSE" "$win"
wait_exit "$pid" 20; rc=$RC
[ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "fullscreen close: exit code $rc"; }
[ -f "$dir/kvui3.ini" ] || fail "fullscreen close: kvui3.ini not written"
[ -f "$dir/tvl.ini" ] || fail "fullscreen close: tvl.ini not written"
rm -rf "$dir"
echo "close: all checks passed"
