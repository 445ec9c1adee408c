# Shared by the perf scripts: an Xvfb display, the frame probe (a preloaded library that
# timestamps buffer swaps and mouse events) and the small sums done on its logs. Source it, call
# perf_setup BUILD_DIR first; perf_cleanup runs on exit.

PERF_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PERF_TMP=$(mktemp -d /tmp/gridlume-perf.XXXXXX)
PERF_DISPLAY_PID=""
PERF_PIDS=""

perf_fail() {
    echo "perf: $*" >&2
    exit 1
}

perf_cleanup() {
    local pid
    for pid in $PERF_PIDS $PERF_DISPLAY_PID; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$PERF_TMP"
}

# perf_setup BUILD_DIR: checks the build, compiles the probe, starts the display.
perf_setup() {
    PERF_BUILD=$(realpath "$1")
    [ -x "$PERF_BUILD/gridlume" ] || perf_fail "no game binary in $PERF_BUILD (build target gridlume)"
    cc -O2 -shared -fPIC -o "$PERF_TMP/frame_probe.so" "$PERF_SOURCE/tools/perf/frame_probe.c" \
        -ldl || perf_fail "could not build the frame probe"
    cc -O2 -o "$PERF_TMP/launch" "$PERF_SOURCE/tools/perf/launch.c" ||
        perf_fail "could not build the launcher"
    cc -O2 -o "$PERF_TMP/bare_splash" "$PERF_SOURCE/tools/perf/bare_splash.c" -lglut -lGL ||
        perf_fail "could not build the bare splash"
    trap perf_cleanup EXIT
    local n
    for n in $(seq 150 199); do
        if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            PERF_DISPLAY_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 1 50); do
                xdpyinfo >/dev/null 2>&1 && return 0
                kill -0 "$PERF_DISPLAY_PID" 2>/dev/null || break
                sleep 0.1
            done
        fi
    done
    perf_fail "no X display could be started"
}

# perf_run NAME DIR PROGRAM [ARGS...]: starts PROGRAM in DIR under the probe, in the background;
# its log is $PERF_TMP/NAME.log, its output NAME.out and NAME.err; sets PERF_PID.
perf_run() {
    local name=$1 dir=$2
    shift 2
    rm -f "$PERF_TMP/$name.log"
    (cd "$dir" && GRIDLUME_PROBE_LOG="$PERF_TMP/$name.log" LD_PRELOAD="$PERF_TMP/frame_probe.so" \
        exec "$PERF_TMP/launch" "$@") >"$PERF_TMP/$name.out" 2>"$PERF_TMP/$name.err" &
    PERF_PID=$!
    PERF_PIDS="$PERF_PIDS $PERF_PID"
}

# perf_wait_count NAME KIND COUNT [SECONDS]: until the log holds COUNT lines of KIND.
perf_wait_count() {
    local tries=$((${4:-20} * 20)) count
    for _ in $(seq 1 "$tries"); do
        count=$(grep -c "^$2 " "$PERF_TMP/$1.log" 2>/dev/null)
        [ "${count:-0}" -ge "$3" ] && return 0
        sleep 0.05
    done
    perf_fail "$1 never logged $3 '$2' lines"
}

# perf_window: the game's window id.
perf_window() {
    timeout 20 xdotool search --sync --name '^Gridlume$' | head -n 1
}

# perf_click WINDOW: a left click in the middle of the window.
perf_click() {
    xdotool mousemove --window "$1" 400 300 mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

# perf_stop PID: ends a program the scripts started and waits for it.
perf_stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    return 0
}

# perf_startup NAME: "SPLASH_MS SPLASH_CPU_MS PLAY_MS PLAY_CPU_MS": launch to the first swap,
# and the second button release to the first swap after it (the first frame of play); each as
# wall time and as the CPU time the program used meanwhile (all threads).
perf_startup() {
    awk '$1 == "launch" { launch = $2 }
         $1 == "release" { releases++; if (releases == 2) { clicked = $2; clickedCpu = $3 } }
         $1 == "swap" { if (!first) { first = $2; firstCpu = $3 }
                        if (clicked && !play) { play = $2; playCpu = $3 } }
         END { printf "%.1f %.1f %.1f %.1f\n", (first - launch) / 1e6, firstCpu / 1e6,
                      (play - clicked) / 1e6, (playCpu - clickedCpu) / 1e6 }' "$PERF_TMP/$1.log"
}

# perf_fps NAME FROM SECONDS [RELEASES]: "FPS CPU_MS" over SECONDS, starting FROM seconds after
# the first swap that follows RELEASES button releases (default 0): the frames per second, and the
# CPU time the program used per frame (all its threads) over the same frames.
perf_fps() {
    awk -v from="$2" -v span="$3" -v after="${4:-0}" '
        $1 == "release" { releases++ }
        $1 == "swap" && releases >= after {
            if (!start) start = $2
            t = ($2 - start) / 1e9
            if (t >= from && t < from + span) {
                if (!n) cpu0 = $3
                n++
                cpu1 = $3
            }
        }
        END { printf "%.1f %.2f\n", n / span, (n > 1 ? (cpu1 - cpu0) / (n - 1) / 1e6 : 0) }' \
        "$PERF_TMP/$1.log"
}

# perf_ticks PID: CPU time a process has used so far, in clock ticks (user + system).
perf_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}

# perf_swaps NAME: how many swaps the log holds.
perf_swaps() {
    grep -c '^swap ' "$PERF_TMP/$1.log"
}

# perf_load: the one-minute load average.
perf_load() {
    cut -d' ' -f1 /proc/loadavg
}

# perf_median: the median of the numbers on standard input, one per line.
perf_median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                        else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# perf_start_play: launches the game (counted as "game"), waits for its first swap and clicks
# past the two start pictures into play; sets GAME and WINDOW.
perf_start_play() {
    perf_run game "$PERF_SOURCE" "$PERF_BUILD/gridlume"
    GAME=$PERF_PID
    WINDOW=$(perf_window)
    [ -n "$WINDOW" ] || perf_fail "the game's window did not appear"
    perf_wait_count game swap 1
    sleep 0.5
    perf_click "$WINDOW"
    sleep 0.5
    perf_click "$WINDOW"
    perf_wait_count game release 2
}
