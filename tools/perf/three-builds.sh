#!/bin/bash
# The three builds side by side, in one run on one machine: the Linux build and the Windows build
# under Wine, each on an Xvfb of its own, and the browser build in headless Chromium. For each:
# the time from launch to the first frame that shows the splash, the processor time on the still
# splash (every process of the build: for Wine its own prefix's, wineserver's included; for the
# browser all of Chromium's), and the frames per second in play during the same scripted drag,
# paced (the default) and --uncapped where the build has it. The desktop frames are counted
# from the X server's side (tools/perf/frame_watch.c), the same way for both; the browser's by
# requestAnimationFrame (web/test/perf.mjs).
# Usage: tools/perf/three-builds.sh [BUILD_DIR] [WINDOWS] [SITE_DIR] [SECONDS] [ROUNDS]
#   BUILD_DIR: a Release build with the targets gridlume and gridlume_frame_watch (default build);
#   WINDOWS: the Windows zip or its unpacked folder (default the zip tools/build-windows.sh
#   makes); SITE_DIR: tools/build-web.sh's site (default build-web/site); SECONDS of play (20).
#   A WINDOWS or SITE_DIR of "-" leaves that build out. With ROUNDS (1), the desktop games are
#   played that many times, the two builds taking turns, and the table gives medians: on a
#   shared machine a single game's frame rate is mostly the luck of the scheduler.
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/probe.sh"
use_build "${1:-$ROOT/build}"
need_file GRIDLUME_FRAME_WATCH
WINDOWS=${2:-$(find "$ROOT/build-windows" -maxdepth 1 -name "gridlume-*-windows-x64.zip" \
    2>/dev/null | head -n 1)}
SITE=${3:-$ROOT/build-web/site}
SPAN=${4:-20}
ROUNDS=${5:-1}
STILL=10
need_tools xdotool
builds=linux
if [ "$WINDOWS" != - ]; then
    need_tools wine unzip
    if [ -f "$WINDOWS" ]; then
        unzip -q "$WINDOWS" -d "$WORK/zip"
        WINDOWS=$(echo "$WORK"/zip/gridlume-*-windows-x64)
    fi
    [ -f "$WINDOWS/gridlume.exe" ] || fail "no gridlume.exe in '$WINDOWS' (tools/build-windows.sh)"
    builds="$builds wine"
fi
if [ "$SITE" != - ]; then
    need_tools node
    SITE=$(realpath "$SITE")
    [ -f "$SITE/gridlume.wasm" ] || fail "no browser build in $SITE (tools/build-web.sh)"
    builds="$builds web"
fi
export ALSOFT_DRIVERS=null
# A prefix of the benchmark's own: its wineserver serves nothing else, so its time is ours.
export GRIDLUME_WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/gridlume/wine-perf
unset GRIDLUME_FRAME_PROBE # nothing is preloaded: both desktop builds run as they ship

# ticks LABEL: clock ticks used so far by the build under test.
ticks() {
    if [ "$1" = linux ]; then
        cpu_ticks "$GAME_PID"
        return
    fi
    local environ pid sum=0
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        if { tr '\0' '\n' <"$environ"; } 2>/dev/null |
            grep -qxF "WINEPREFIX=$GRIDLUME_WINEPREFIX"; then
            sum=$((sum + $(cpu_ticks "$pid")))
        fi
    done
    echo "$sum"
}

# drag: the scripted drag, as web/test/perf.mjs makes it: a press on the chute, then round an
# ellipse over the board once every 4 s, 30 moves a second, and the release, all in one xdotool.
drag() {
    local args=(mousemove --window "$WINDOW" 50 150 mousedown 1)
    # shellcheck disable=SC2207 # numbers only
    args+=($(awk -v n="$((SPAN * 30))" -v w="$WINDOW" 'BEGIN { for (i = 1; i <= n; i++) {
        a = 2 * 3.14159265 * i / 120
        printf "sleep 0.033 mousemove --window %s %d %d ", w, 400 + 250 * cos(a),
            300 + 150 * sin(a) } }'))
    xdotool "${args[@]}" mouseup 1
}

# frames_between LOG FROM TO: frames the watcher saw between two CLOCK_REALTIME stamps (ns).
frames_between() {
    awk -v a="$2" -v b="$3" '$1 == "frame" && $2 >= a && $2 < b { n++ } END { print n + 0 }' "$1"
}

# run LABEL MODE DIR COMMAND...: one game, launched on a fresh display; sets STARTUP (ms to the
# first frame with the splash's middle colour), STILL_SHARE (% of a core; paced runs), FPS and
# CPU_MS (processor time per frame in play, all the build's processes: on a machine shared with
# other work it moves far less with the load than the frame rate does).
run() {
    local label=$1 mode=$2 dir=$3 log="$WORK/$1-$2.frames" watch t0 t1 t2 a b
    shift 3
    start_display
    "$GRIDLUME_FRAME_WATCH" Gridlume >"$log" &
    watch=$!
    sleep 0.5
    t0=$(date +%s%N)
    WINDOW_SECONDS=60 start_game "$dir" "$@"
    sleep 3
    # The splash is the colour of the last frame the watcher looked at.
    STARTUP=$(awk -v t0="$t0" '$1 == "frame" && $3 != "-" { t[++n] = $2; c[n] = $3 " " $4 " " $5 }
        END { for (i = 1; i <= n; i++)
            if (c[i] == c[n]) { printf "%.0f", (t[i] - t0) / 1e6; exit } }' "$log")
    STILL_SHARE=-
    if [ "$mode" = paced ]; then
        a=$(ticks "$label")
        sleep "$STILL"
        b=$(ticks "$label")
        STILL_SHARE=$(awk -v a="$a" -v b="$b" -v s="$STILL" -v t="$(getconf CLK_TCK)" \
            'BEGIN { printf "%.1f", (b - a) / t / s * 100 }')
    fi
    click 400 300
    click 400 300
    sleep 1.5
    a=$(ticks "$label")
    t1=$(date +%s%N)
    drag
    t2=$(date +%s%N)
    b=$(ticks "$label")
    read -r FPS CPU_MS <<<"$(awk -v n="$(frames_between "$log" "$t1" "$t2")" -v a="$t1" \
        -v b="$t2" -v c="$((b - a))" -v t="$(getconf CLK_TCK)" \
        'BEGIN { printf "%.1f %.1f\n", n / ((b - a) / 1e9), (n ? c / t / n * 1000 : 0) }')"
    key Escape
    wait_exit 20
    if [ "$label" = wine ]; then
        # A Wine session keeps the display it started with: let it end with this one.
        WINEPREFIX=$GRIDLUME_WINEPREFIX wineserver -w
    fi
    stop "$watch"
    kill "$DISPLAY_PID"
    wait "$DISPLAY_PID" 2>/dev/null || true
}

if [[ $builds == *wine* ]]; then
    # The prefix is made once (about 15 s), outside the figures.
    start_display
    "$ROOT/tools/wine.sh" wineboot >/dev/null 2>&1 || true
    WINEPREFIX=$GRIDLUME_WINEPREFIX wineserver -w
    kill "$DISPLAY_PID"
    wait "$DISPLAY_PID" 2>/dev/null || true
fi

declare -A start still paced uncapped cpu
load0=$(load_average)
for _ in $(seq 1 "$ROUNDS"); do
    for mode in paced uncapped; do
        for label in ${builds/web/}; do
            args=()
            [ "$mode" = uncapped ] && args=(--uncapped)
            if [ "$label" = linux ]; then
                run linux "$mode" "$ROOT" "$GRIDLUME_BINARY" "${args[@]}"
            else
                run wine "$mode" "$WINDOWS" "$ROOT/tools/wine.sh" "$WINDOWS/gridlume.exe" \
                    "${args[@]}"
            fi
            echo "$label $mode: launch to splash $STARTUP ms, still $STILL_SHARE % of a core," \
                "play $FPS fps, $CPU_MS ms of CPU a frame; load $(load_average)" >&2
            start[$label]="${start[$label]:+${start[$label]}, }$STARTUP"
            if [ "$mode" = paced ]; then
                still[$label]+=" $STILL_SHARE" paced[$label]+=" $FPS" cpu[$label]+=" $CPU_MS"
            else
                uncapped[$label]+=" $FPS"
            fi
        done
    done
done
# The medians of the rounds.
for label in ${builds/web/}; do
    for figure in still paced cpu uncapped; do
        declare -n values=$figure
        # shellcheck disable=SC2004,SC2086 # an associative array; the list is split on purpose
        values[$label]=$(printf '%s\n' ${values[$label]} | median)
        unset -n values
    done
done
if [[ $builds == *web* ]]; then
    # Headless Chromium needs no display (the last one has gone). A page that fails (on a loaded
    # machine the splash can take longer than the harness's 20 s) leaves its row empty rather
    # than the others unprinted.
    (cd "$ROOT/web/test" && env -u DISPLAY GRIDLUME_SITE="$SITE" node perf.mjs 3 "$SPAN" "$STILL") \
        >"$WORK/web.out" 2>"$WORK/web.err" || echo "browser: $(grep -m1 Error "$WORK/web.err")" >&2
fi
touch "$WORK/web.out"
start[web]=$(sed -n 's/.*ms: \(.*\) (median.*/\1/p' "$WORK/web.out" | tr ' ' ',' | sed 's/,/, /g')
web_median=$(sed -n 's/.*(median \([0-9]*\)).*/\1/p' "$WORK/web.out")
still[web]=$(sed -n 's/^still splash: \([0-9.]*\) .*/\1/p' "$WORK/web.out")
paced[web]=$(sed -n 's/^frames per second in play: \([0-9.]*\) .*/\1/p' "$WORK/web.out")
cpu[web]=$(sed -n 's/^processor time in play: \([0-9.]*\) .*/\1/p' "$WORK/web.out")
uncapped[web]=-
load1=$(load_average)

ratio() {
    awk -v a="$1" -v b="$2" \
        'BEGIN { if (a + 0 > 0 && b + 0 > 0) printf "%.2f", a / b; else print "-" }'
}
starts() { # the median of a comma-separated list
    tr ',' '\n' <<<"$1" | grep . | median
}
echo "Machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1);" \
    "load average $load0 before, $load1 after; commit $(git -C "$ROOT" rev-parse --short HEAD)"
echo
echo "| build | launch to splash, ms | still splash, % of a core | play fps, paced" \
    "| ratio to Linux" \
    "| play fps, uncapped | ratio to Linux | CPU ms a frame, paced | Linux's over it |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
for label in $builds; do
    name=$label
    [ "$label" = linux ] && name="Linux (Xvfb, llvmpipe)"
    [ "$label" = wine ] && name="Windows under Wine (Xvfb, llvmpipe)"
    [ "$label" = web ] && name="browser (headless Chromium, SwiftShader)"
    echo "| $name | ${start[$label]} | ${still[$label]} | ${paced[$label]}" \
        "| $(ratio "${paced[$label]}" "${paced[linux]}") | ${uncapped[$label]}" \
        "| $(ratio "${uncapped[$label]}" "${uncapped[linux]}") | ${cpu[$label]}" \
        "| $(ratio "${cpu[linux]}" "${cpu[$label]}") |"
done
echo
echo "Desktop figures: medians of $ROUNDS round(s), every start listed." \
    "Launch to splash: the desktop builds' paced and uncapped starts; the browser's from" \
    "navigation, three fresh loads, fastest first. Against Linux's median start: Wine's median" \
    "$(ratio "$(starts "${start[wine]:-}")" "$(starts "${start[linux]}")") times," \
    "the browser's $(ratio "${web_median:-}" "$(starts "${start[linux]}")") times."
