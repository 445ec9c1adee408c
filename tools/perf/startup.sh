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
# Usage: tools/perf/startup.sh [BUILD_DIR] [RUNS]
#   (build targets gridlume, gridlume_frame_probe, gridlume_launch and gridlume_bare_splash)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/probe.sh"
use_build "${1:-$ROOT/build-perf}"
need_file GRIDLUME_BARE_SPLASH
RUNS=${2:-7}
start_display

# probe_startup NAME: "SPLASH_MS SPLASH_CPU_MS PLAY_MS PLAY_CPU_MS": launch to the first swap,
# and the second button release to the first swap after it (the first frame of play); each as
# wall time and as the CPU time the program used meanwhile (all threads).
probe_startup() {
    awk '$1 == "launch" { launch = $2 }
         $1 == "release" { releases++; if (releases == 2) { clicked = $2; clickedCpu = $3 } }
         $1 == "swap" { if (!first) { first = $2; firstCpu = $3 }
                        if (clicked && !play) { play = $2; playCpu = $3 } }
         END { printf "%.1f %.1f %.1f %.1f\n", (first - launch) / 1e6, firstCpu / 1e6,
                      (play - clicked) / 1e6, (playCpu - clickedCpu) / 1e6 }' "$WORK/$1.log"
}

table_row run splash_ms cpu_ms play_ms cpu_ms load
for run in $(seq 1 "$RUNS"); do
    load=$(load_average)
    probe_play
    sleep 0.5
    stop "$GAME_PID"
    read -r splash splashCpu play playCpu <<<"$(probe_startup game)"
    for v in splash splashCpu play playCpu; do
        echo "${!v}" >>"$WORK/col.$v"
    done
    table_row "$run" "$splash" "$splashCpu" "$play" "$playCpu" "$load"
done
table_row median "$(median <"$WORK/col.splash")" "$(median <"$WORK/col.splashCpu")" \
    "$(median <"$WORK/col.play")" "$(median <"$WORK/col.playCpu")" "$(load_average)"

echo "floor: bare window with one texture, launch to first swap"
for run in $(seq 1 "$RUNS"); do
    probe_run bare "$ROOT" "$GRIDLUME_BARE_SPLASH"
    probe_wait bare swap 1
    stop "$LAUNCHED"
    read -r splash splashCpu _ _ <<<"$(probe_startup bare)"
    echo "$splash" >>"$WORK/col.bare"
    echo "$splashCpu" >>"$WORK/col.bareCpu"
done
table_row floor "$(median <"$WORK/col.bare")" "$(median <"$WORK/col.bareCpu")" "" "" "$(load_average)"
