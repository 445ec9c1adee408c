#!/bin/bash
# Frames per second of the desktop game in play under Xvfb, paced as a player gets it and
# uncapped, counted by the frame probe over SECONDS from one second into play: the figures the
# browser build's (web/test/perf.mjs) is set beside in docs/performance.md.
# Usage: tools/perf/play-fps.sh [BUILD_DIR] [SECONDS]
#   (build targets gridlume, gridlume_frame_probe and gridlume_launch)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
use_build "${1:-$ROOT/build}"
SPAN=${2:-10}
start_display
for mode in paced uncapped; do
    args=()
    [ "$mode" = uncapped ] && args=(--uncapped)
    probe_play "${args[@]}"
    sleep "$(awk -v s="$SPAN" 'BEGIN { print s + 1.5 }')"
    stop "$GAME_PID"
    read -r fps cpu <<<"$(probe_fps game 1 "$SPAN" 2)"
    echo "$mode: $fps frames per second, $cpu ms of CPU a frame"
done
