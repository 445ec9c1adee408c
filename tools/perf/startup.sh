#!/bin/bash
# Start-up of the real game, RUNS times (default 7), with the median last:
#   splash  launch (just before exec) to the first buffer swap, which shows the splash picture;
#   play    the second button release (taken from the X queue by the game) to the first swap
#           after it: building the game, seven pictures, six sounds, one update and one draw.
# Times come from the preloaded frame probe and the launcher, both on CLOCK_MONOTONIC.
# Usage: tools/perf/startup.sh [BUILD_DIR] [RUNS]   (build target gridlume first)
set -u
. "$(dirname "$0")/lib.sh"
perf_setup "${1:-$PERF_SOURCE/build-perf}"
RUNS=${2:-7}

printf "%-6s %10s %10s %6s\n" run splash_ms play_ms load
for run in $(seq 1 "$RUNS"); do
    load=$(perf_load)
    perf_run game "$PERF_SOURCE" "$PERF_BUILD/gridlume"
    GAME=$PERF_PID
    WINDOW=$(perf_window)
    [ -n "$WINDOW" ] || perf_fail "the game's window did not appear"
    perf_wait_count game swap 1
    sleep 0.5
    perf_click "$WINDOW"
    sleep 0.5
    perf_click "$WINDOW"
    perf_wait_count game release 2
    sleep 0.5
    perf_stop "$GAME"
    read -r splash play <<<"$(perf_startup game)"
    echo "$splash" >>"$PERF_TMP/splash"
    echo "$play" >>"$PERF_TMP/play"
    printf "%-6s %10s %10s %6s\n" "$run" "$splash" "$play" "$load"
done
printf "%-6s %10s %10s %6s\n" median "$(perf_median <"$PERF_TMP/splash")" \
    "$(perf_median <"$PERF_TMP/play")" "$(perf_load)"
