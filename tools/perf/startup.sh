#!/bin/bash
# Start-up of the real game, RUNS times (default 7), with the median last:
#   splash  launch (just before exec) to the first buffer swap, which shows the splash picture;
#   play    the second button release (taken from the X queue by the game) to the first swap
#           after it: building the game, seven pictures, six sounds, one update and one draw.
# Times come from the preloaded frame probe and the launcher, both on CLOCK_MONOTONIC; the cpu
# columns are the CPU time the game used over the same stretch (all its threads), which other
# work on the machine disturbs far less than the wall time.
# Then the same number of runs of tools/perf/bare_splash.c, the floor: a window like the game's
# with one 1024 by 1024 texture drawn, and nothing else.
# Usage: tools/perf/startup.sh [BUILD_DIR] [RUNS]   (build target gridlume first)
set -u
. "$(dirname "$0")/lib.sh"
perf_setup "${1:-$PERF_SOURCE/build-perf}"
RUNS=${2:-7}

row() {
    printf "%-6s %10s %10s %10s %10s %6s\n" "$@"
}
row run splash_ms cpu_ms play_ms cpu_ms load
for run in $(seq 1 "$RUNS"); do
    load=$(perf_load)
    perf_start_play
    sleep 0.5
    perf_stop "$GAME"
    read -r splash splashCpu play playCpu <<<"$(perf_startup game)"
    for v in splash splashCpu play playCpu; do
        echo "${!v}" >>"$PERF_TMP/col.$v"
    done
    row "$run" "$splash" "$splashCpu" "$play" "$playCpu" "$load"
done
row median "$(perf_median <"$PERF_TMP/col.splash")" "$(perf_median <"$PERF_TMP/col.splashCpu")" \
    "$(perf_median <"$PERF_TMP/col.play")" "$(perf_median <"$PERF_TMP/col.playCpu")" "$(perf_load)"

echo "floor: bare window with one texture, launch to first swap"
for run in $(seq 1 "$RUNS"); do
    perf_run bare "$PERF_SOURCE" "$PERF_TMP/bare_splash"
    perf_wait_count bare swap 1
    perf_stop "$PERF_PID"
    read -r splash splashCpu _ _ <<<"$(perf_startup bare)"
    echo "$splash" >>"$PERF_TMP/col.bare"
    echo "$splashCpu" >>"$PERF_TMP/col.bareCpu"
done
row floor "$(perf_median <"$PERF_TMP/col.bare")" "$(perf_median <"$PERF_TMP/col.bareCpu")" "" "" \
    "$(perf_load)"
