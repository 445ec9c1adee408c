#!/bin/bash
# Memory over a game:
#  1. The real binary under Xvfb, clicked into play and left alone: nobody feeds the board, so
#     the game is lost after about 70 s and the end screen shows. Its resident size (VmRSS) is
#     sampled every second; printed are the size 10 s and 60 s into play, on the end screen, and
#     the peak (VmHWM) over the whole run.
#  2. A whole 240-second game in a window on the real frame clock (draw_bench --loop=game): the
#     game's own update and draw, a scripted player dealing, placing, binning and adding pieces
#     through the play state's input handling, the board kept lit until the game is won;
#     resident size at minute 1 and minute 4 and the peak. Takes four minutes.
#  3. The same game without a window at fixed frame steps (bench/game_memory_bench), in a second;
#     also counts the operator new calls between minute 1 and 4 (events, not frames).
# Usage: tools/perf/memory.sh [BUILD_DIR]
#   (build targets gridlume, gridlume_frame_probe, gridlume_launch, draw_bench and
#   game_memory_bench first)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/probe.sh"
use_build "${1:-$ROOT/build-perf}"
start_display

# sample_rss: notes the game's resident size for this second of play; true once the end screen
# has been reached.
sample_rss() {
    SECOND=$((SECOND + 1))
    echo "$SECOND $(awk '/^VmRSS/ { print $2 }' "/proc/$GAME_PID/status")" >>"$WORK/rss"
    grep -qE 'Loaded texture ./img/(lose|win).jpg' "$WORK/game.out"
}

probe_play
echo "second rss_kB" >"$WORK/rss"
SECOND=0
sleep 1
wait_until --every 1 120 sample_rss || true
sleep 2
END_RSS=$(awk '/^VmRSS/ { print $2 }' "/proc/$GAME_PID/status")
PEAK=$(awk '/^VmHWM/ { print $2 }' "/proc/$GAME_PID/status")
stop "$GAME_PID"
at() {
    awk -v s="$1" '$1 == s { print $2 }' "$WORK/rss"
}
echo "real game (load average $(load_average)):"
echo "  resident 10 s into play   $(at 10) kB"
echo "  resident 60 s into play   $(at 60) kB"
echo "  resident on the end screen $END_RSS kB" \
    "(game over after $(tail -n 1 "$WORK/rss" | cut -d' ' -f1) s)"
echo "  peak resident (VmHWM)     $PEAK kB"
echo "  most frequent samples: $(tail -n +2 "$WORK/rss" | cut -d' ' -f2 | sort -n | uniq -c |
    sort -rn | head -n 5 | awk '{ printf "%s kB x%s  ", $2, $1 }')"

if [ -n "${GRIDLUME_DRAW_BENCH:-}" ]; then
    echo "whole 240-second game in a window (load average $(load_average)):"
    probe_run whole "$ROOT" "$GRIDLUME_DRAW_BENCH" --loop=game 0
    wait "$LAUNCHED"
    grep '^game:' "$WORK/whole.out" | sed 's/^/  /'
else
    echo "no draw_bench in this build: build it for the 240-second game in a window"
fi

if [ -n "${GRIDLUME_GAME_MEMORY_BENCH:-}" ]; then
    echo "whole 240-second game without a window:"
    "$GRIDLUME_GAME_MEMORY_BENCH" 2>/dev/null | grep -E '^(Benchmark|wholeGame)'
else
    echo "no game_memory_bench in this build: build it for the 240-second game"
fi
