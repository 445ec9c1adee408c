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
#   (build targets gridlume, draw_bench and game_memory_bench first)
set -u
. "$(dirname "$0")/lib.sh"
perf_setup "${1:-$PERF_SOURCE/build-perf}"

perf_start_play
echo "second rss_kB" >"$PERF_TMP/rss"
for second in $(seq 1 120); do
    sleep 1
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$GAME/status")
    echo "$second $rss" >>"$PERF_TMP/rss"
    if grep -qE 'Loaded texture ./img/(lose|win).jpg' "$PERF_TMP/game.out"; then
        break
    fi
done
sleep 2
END_RSS=$(awk '/^VmRSS/ { print $2 }' "/proc/$GAME/status")
PEAK=$(awk '/^VmHWM/ { print $2 }' "/proc/$GAME/status")
perf_stop "$GAME"
at() {
    awk -v s="$1" '$1 == s { print $2 }' "$PERF_TMP/rss"
}
echo "real game (load average $(perf_load)):"
echo "  resident 10 s into play   $(at 10) kB"
echo "  resident 60 s into play   $(at 60) kB"
echo "  resident on the end screen $END_RSS kB" \
    "(game over after $(tail -n 1 "$PERF_TMP/rss" | cut -d' ' -f1) s)"
echo "  peak resident (VmHWM)     $PEAK kB"
echo "  most frequent samples: $(tail -n +2 "$PERF_TMP/rss" | cut -d' ' -f2 | sort -n | uniq -c |
    sort -rn | head -n 5 | awk '{ printf "%s kB x%s  ", $2, $1 }')"

DRAW="$PERF_BUILD/bench/draw_bench"
if [ -x "$DRAW" ]; then
    echo "whole 240-second game in a window (load average $(perf_load)):"
    perf_run whole "$PERF_SOURCE" "$DRAW" --loop=game 0
    wait "$PERF_PID"
    grep '^game:' "$PERF_TMP/whole.out" | sed 's/^/  /'
else
    echo "no $DRAW: build target draw_bench for the 240-second game in a window"
fi

BENCH="$PERF_BUILD/bench/game_memory_bench"
if [ -x "$BENCH" ]; then
    echo "whole 240-second game without a window:"
    "$BENCH" 2>/dev/null | grep -E '^(Benchmark|wholeGame)'
else
    echo "no $BENCH: build target game_memory_bench for the 240-second game"
fi
