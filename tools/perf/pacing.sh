#!/bin/bash
# What frame pacing saves: the real game's processor time (all its threads, the rasteriser's
# included) as a share of one core, and its frames per second, over SECONDS on the splash, in
# play and on the end screen, paced (the default) and with --uncapped (the loop as it was before
# pacing). The end screen is reached by moving the game's clock a hundred seconds on.
# Usage: tools/perf/pacing.sh [BUILD_DIR] [SECONDS] [ROUNDS]
#   (build targets gridlume, gridlume_timewarp and gridlume_frame_probe)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/probe.sh"
use_build "${1:-$ROOT/build}"
need_file GRIDLUME_TIMEWARP
need_file GRIDLUME_FRAME_PROBE
SPAN=${2:-10}
ROUNDS=${3:-1}
export ALSOFT_DRIVERS=null
start_display

# measure: share of a core and frames per second over SPAN seconds, as "SHARE FPS MS_PER_FRAME".
measure() {
    local ticks0 ticks1 swaps0 swaps1
    ticks0=$(cpu_ticks "$GAME_PID")
    swaps0=$(grep -c '^swap ' "$WORK/game.log" || true)
    sleep "$SPAN"
    ticks1=$(cpu_ticks "$GAME_PID")
    swaps1=$(grep -c '^swap ' "$WORK/game.log" || true)
    awk -v a="$ticks0" -v b="$ticks1" -v m="$swaps0" -v n="$swaps1" -v s="$SPAN" \
        -v t="$(getconf CLK_TCK)" 'BEGIN { cpu = (b - a) / t; frames = n - m
            printf "%.1f %.1f %.2f\n", cpu / s * 100, frames / s, (frames ? cpu / frames * 1000 : 0) }'
}

# run MODE [OPTION]: one game through the three screens, one table row.
run() {
    local mode=$1 load splash play end
    shift
    echo 0 >"$WORK/warp"
    load=$(load_average)
    start_game "$ROOT" env "GRIDLUME_PROBE_LOG=$WORK/game.log" \
        "LD_PRELOAD=$GRIDLUME_TIMEWARP $GRIDLUME_FRAME_PROBE" \
        "GRIDLUME_TIMEWARP_FILE=$WORK/warp" "$GRIDLUME_BINARY" "$@"
    probe_wait game swap 1
    sleep 1
    splash=$(measure)
    click 400 300
    click 400 300
    sleep 1
    play=$(measure)
    echo 100000 >"$WORK/warp" # the board goes dark in one frame: the end screen
    sleep 1
    end=$(measure)
    expect_esc_exit "$mode"
    # shellcheck disable=SC2086
    table_row "$mode" $splash $play $end "$load"
}

echo "Share of one core (%), frames per second and CPU ms per frame, over $SPAN s each"
table_row mode splash fps ms play fps ms end fps ms load
for _ in $(seq 1 "$ROUNDS"); do
    run paced
    run uncapped --uncapped
done
