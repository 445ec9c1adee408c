#!/bin/bash
# The benchmarks behind docs/performance.md, each repeated REPS times (default 5) with only the
# medians shown; the draw benchmark runs under Xvfb. The load average is printed with each, since
# two cores shared with other work make single runs noisy.
# Usage: tools/perf/benchmarks.sh [BUILD_DIR] [REPS]
#   (build targets live_update_bench draw_bench game_memory_bench chain_step_bench first)
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(realpath "${1:-$ROOT/build-perf}")
REPS=${2:-5}
MEDIANS=(--benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true)

show() {
    grep -E '_median|^wholeGame' | sed 's/_median//'
}

cd "$ROOT" || exit 1
echo "== LiveMode::update (load $(cut -d' ' -f1 /proc/loadavg))"
"$BUILD/bench/live_update_bench" "${MEDIANS[@]}" 2>/dev/null | show
echo "== chain step (load $(cut -d' ' -f1 /proc/loadavg))"
"$BUILD/bench/chain_step_bench" --benchmark_filter='chainStep/links:(35|200|825)/' "${MEDIANS[@]}" \
    2>/dev/null | show
echo "== play-field draw against the bare-quads floor, under Xvfb (load $(cut -d' ' -f1 /proc/loadavg))"
xvfb-run -a -s "-screen 0 1024x768x24" "$BUILD/bench/draw_bench" "${MEDIANS[@]}" 2>/dev/null | show
echo "== a whole 240-second game without a window (load $(cut -d' ' -f1 /proc/loadavg))"
"$BUILD/bench/game_memory_bench" 2>/dev/null | show
