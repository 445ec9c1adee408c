#!/bin/bash
# The benchmarks behind docs/performance.md, each repeated REPS times (default 5) with only the
# medians shown; the draw benchmark runs under Xvfb. The load average is printed with each, since
# two cores shared with other work make single runs noisy.
# Usage: tools/perf/benchmarks.sh [BUILD_DIR] [REPS]
#   (build targets live_update_bench draw_bench game_memory_bench chain_step_bench first)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/probe.sh"
use_build "${1:-$ROOT/build-perf}"
REPS=${2:-5}
MEDIANS=(--benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true)
for bench in LIVE_UPDATE_BENCH CHAIN_STEP_BENCH DRAW_BENCH GAME_MEMORY_BENCH; do
    need_file "GRIDLUME_$bench"
done

show() {
    { grep -E '_median|^wholeGame' || true; } | sed 's/_median//'
}

cd "$ROOT"
echo "== LiveMode::update (load $(load_average))"
"$GRIDLUME_LIVE_UPDATE_BENCH" "${MEDIANS[@]}" 2>/dev/null | show
echo "== chain step (load $(load_average))"
"$GRIDLUME_CHAIN_STEP_BENCH" --benchmark_filter='chainStep/links:(35|200|825)/' "${MEDIANS[@]}" \
    2>/dev/null | show
echo "== play-field draw against the bare-quads floor, under Xvfb (load $(load_average))"
start_display
"$GRIDLUME_DRAW_BENCH" "${MEDIANS[@]}" 2>/dev/null | show
echo "== a whole 240-second game without a window (load $(load_average))"
"$GRIDLUME_GAME_MEMORY_BENCH" 2>/dev/null | show
