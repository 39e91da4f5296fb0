#!/usr/bin/env bash
# SIGTERM and SIGHUP end a windowed game as closing its window does, without the question:
# exit code 0 with kvui3.ini and tvl.ini written. (SIGINT takes the same road, but the game runs
# as a background job of this script, which starts it with SIGINT ignored, and so it stays.)
source "$(dirname "$0")/lib.bash"
ensure_display

for signal in TERM HUP; do
    dir=$(make_game_folder)
    write_windowed_ini "$dir" 800 600
    printf '[user]\nplayerName=Signalled\n[game]\ntokensCount=77\n' > "$dir/tvl.ini"
    start_game "$dir" || fail "$signal: window not found"
    wait_log "$dir/stderr.txt" 'Playing music from base\\music\\MainMenu.mus' 30 || { cat "$dir/stderr.txt"; fail "SIG$signal: the menu did not come up"; }
    kill -s "$signal" "$pid"
    wait_exit "$pid" 20; rc=$RC
    [ "$rc" = 0 ] || { cat "$dir/stderr.txt"; fail "SIG$signal: exit code $rc"; }
    [ "$(head -n3 "$dir/kvui3.ini")" = "$(printf '\n[info]\nversion=3')" ] || fail "SIG$signal: kvui3.ini not written"
    grep -qx 'playerName=Signalled' "$dir/tvl.ini" || fail "SIG$signal: tvl.ini lost playerName"
    grep -qx 'tokensCount=77' "$dir/tvl.ini" || fail "SIG$signal: tvl.ini lost tokensCount"
    grep -qx 'lerpRate=10' "$dir/tvl.ini" || fail "SIG$signal: tvl.ini not rewritten"
    rm -rf "$dir"
done
echo "signals: all checks passed"
