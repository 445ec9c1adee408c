#!/bin/bash
# Frames per second of the real game in play, against the floor for its picture, on one display:
#   game   the binary, clicked past the two start pictures, counted over SECONDS of play from one
#          second after the click into play;
#   frame  the game's own update and draw on a scene frozen at the start of play (draw_bench);
#   bare   the same quads drawn by a bare loop of display-list calls (draw_bench): the floor.
# Every program swaps buffers through GLUT and is counted by the same preloaded probe, which also
# reads the CPU time the program has used (all threads, the rasteriser's included): frames per
# second is what a player sees under the machine's current load, CPU milliseconds per frame is
# what a frame costs, and is far steadier when other work shares the cores. "X ms" is the X
# server's CPU time per frame (copying the picture to the screen), from its /proc ticks.
# The three take turns, ROUNDS times; the medians and their ratios are printed last.
# Usage: tools/perf/fps.sh [BUILD_DIR] [SECONDS] [ROUNDS]
#   (build targets gridlume, draw_bench, gridlume_frame_probe and gridlume_launch)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/probe.sh"
use_build "${1:-$ROOT/build-perf}"
need_file GRIDLUME_DRAW_BENCH
SPAN=${2:-10}
ROUNDS=${3:-3}
start_display
RUN_FOR=$(awk -v s="$SPAN" 'BEGIN { print s + 1.5 }')
TICK_MS=$(awk -v t="$(getconf CLK_TCK)" 'BEGIN { print 1000 / t }')

# probe_swaps NAME: how many swaps the log holds.
probe_swaps() {
    grep -c '^swap ' "$WORK/$1.log" || true
}

# x_ms NAME TICKS_BEFORE: the X server's CPU milliseconds per swap of that program's whole run.
x_ms() {
    awk -v a="$2" -v b="$(cpu_ticks "$DISPLAY_PID")" -v n="$(probe_swaps "$1")" -v t="$TICK_MS" \
        'BEGIN { printf "%.2f", (n > 0 ? (b - a) * t / n : 0) }'
}

table_row round game cpu_ms X_ms frame cpu_ms X_ms bare cpu_ms X_ms load
for round in $(seq 1 "$ROUNDS"); do
    load=$(load_average)
    x0=$(cpu_ticks "$DISPLAY_PID")
    probe_play --uncapped # against the floor, as fast as it can
    sleep "$RUN_FOR"
    awk '/^VmHWM/ { print $2 }' "/proc/$GAME_PID/status" >>"$WORK/peak"
    stop "$GAME_PID"
    xg=$(x_ms game "$x0")

    x0=$(cpu_ticks "$DISPLAY_PID")
    probe_run frame "$ROOT" "$GRIDLUME_DRAW_BENCH" --loop=frame "$RUN_FOR"
    wait "$LAUNCHED"
    xf=$(x_ms frame "$x0")
    x0=$(cpu_ticks "$DISPLAY_PID")
    probe_run bare "$ROOT" "$GRIDLUME_DRAW_BENCH" --loop=bare "$RUN_FOR"
    wait "$LAUNCHED"
    xb=$(x_ms bare "$x0")

    read -r g gc <<<"$(probe_fps game 1 "$SPAN" 2)"
    read -r f fc <<<"$(probe_fps frame 1 "$SPAN")"
    read -r b bc <<<"$(probe_fps bare 1 "$SPAN")"
    for v in g gc xg f fc xf b bc xb; do
        echo "${!v}" >>"$WORK/col.$v"
    done
    table_row "$round" "$g" "$gc" "$xg" "$f" "$fc" "$xf" "$b" "$bc" "$xb" "$load"
done

for v in g gc xg f fc xf b bc xb; do
    declare "m$v=$(median <"$WORK/col.$v")"
done
table_row median "$mg" "$mgc" "$mxg" "$mf" "$mfc" "$mxf" "$mb" "$mbc" "$mxb" "$(load_average)"
awk -v g="$mg" -v gc="$mgc" -v f="$mf" -v fc="$mfc" -v b="$mb" -v bc="$mbc" 'BEGIN {
    printf "game / floor:  %.3f in frames per second, %.3f in CPU per frame (floor cpu / game cpu)\n",
           g / b, bc / gc
    printf "frame / floor: %.3f in frames per second, %.3f in CPU per frame\n", f / b, bc / fc }'
echo "game peak resident: $(sort -n "$WORK/peak" | tail -n 1) kB (VmHWM, largest of the rounds)"
