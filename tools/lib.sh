# The harness of the bash scripts that drive the real game under Xvfb (the end-to-end tests, the
# valgrind run, the perf scripts and the screenshot script): displays, launching, input, waiting
# and clean-up. The end-to-end games' screen-reading player is tests/e2e/player.sh, the perf
# scripts' frame-probe report tools/perf/probe.sh. Source it right after `set -euo pipefail`. It
# makes the scratch folder $WORK and sets the clean-up trap before anything else can fail, so
# whatever a script starts is ended with it.
#
# Helpers that check something either succeed or end the script through `fail`; helpers that
# find something out return a status for the caller to act on (`wait_until 10 thing || fail ...`).
# Helper programs come from the build: the tests get their paths from tests/CMakeLists.txt as
# environment variables, and the scripts run by hand read the list CMake writes into every build
# folder (use_build).

if [[ $- != *e* || $- != *u* ]] || ! shopt -qo pipefail; then
    echo "FAIL: $0: set -euo pipefail before sourcing tools/lib.sh" >&2
    exit 2
fi

# ---- The script itself -------------------------------------------------------------------------

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd) # the repository
WORK=$(mktemp -d "/tmp/gridlume-$(basename "$0" .sh).XXXXXX")
# Games played here keep their records and settings in the scratch folder, never in the user's
# own.
export XDG_DATA_HOME="$WORK/data"
export XDG_CONFIG_HOME="$WORK/config"
GAME_PID=""  # the game started last, until it has ended
WINDOW=""    # its window

# running PID: PID is a child of this script that has not ended. Process ids come round again
# within minutes on a busy machine, so a stored id is asked of bash's own job table, never of the
# kernel (kill -0): once the child has ended, its id may be another test's Xvfb or game.
running() {
    local pid
    for pid in $(jobs -rp); do
        [ "$pid" = "$1" ] && return 0
    done
    return 1
}

# Ends whatever this script started that still runs, and only that.
end_children() {
    local status=$? pids
    set +e
    pids=$(jobs -rp)
    # shellcheck disable=SC2086 # one id a word
    [ -z "$pids" ] || kill -TERM $pids 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
    exit "$status"
}
trap end_children EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# need_tools TOOL...: each is on PATH (tools/setup.sh installs them).
need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool not found (tools/setup.sh installs it)"
    done
}

# need_file VARIABLE: the variable names an existing file; tests/CMakeLists.txt sets it for the
# tests, use_build for the scripts run by hand.
need_file() {
    [ -n "${!1:-}" ] || fail "$1 is not set (ctest sets it; by hand, see the script's header)"
    [ -e "${!1}" ] || fail "$1 names ${!1}, which does not exist (build it first)"
}

# game_arguments BINARY SOURCE: the arguments every test gets from ctest, as absolute paths in
# BINARY and SOURCE.
game_arguments() {
    [ $# -eq 2 ] || fail "usage: $0 BUILD/gridlume SOURCE-DIR"
    BINARY=$(realpath "$1")
    SOURCE=$(realpath "$2")
}

# use_build DIR: the paths of the game and its helper programs in that build folder, from the
# list CMake writes there (GRIDLUME_BINARY, GRIDLUME_TIMEWARP, GRIDLUME_FRAME_PROBE, ...).
use_build() {
    local list
    list="$(realpath "$1")/gridlume-paths.sh"
    [ -f "$list" ] || fail "no $list: configure that folder with cmake first"
    # shellcheck source=/dev/null
    . "$list"
    need_file GRIDLUME_BINARY
}

# wait_until [--every SECONDS] SECONDS COMMAND [ARG...]: runs COMMAND at once and then every tenth
# of a second (or every SECONDS) until it succeeds; false if it has not once the time is up.
# Decimal seconds are fine.
wait_until() {
    local every=0.1 whole fraction deadline
    if [ "$1" = --every ]; then
        every=$2
        shift 2
    fi
    whole=${1%%.*}
    fraction=${1#"$whole"}
    fraction=${fraction#.}000000
    deadline=$((${EPOCHREALTIME//[!0-9]/} + 10#${whole:-0} * 1000000 + 10#${fraction:0:6}))
    shift
    while :; do
        "$@" && return 0
        [ "${EPOCHREALTIME//[!0-9]/}" -lt "$deadline" ] || return 1
        sleep "$every"
    done
}

# ---- Displays and programs ---------------------------------------------------------------------

# start_display [SIZE]: an Xvfb of our own (1024x768x24 by default) on a display number it picks
# itself, since tests run side by side and a number that looks free can be taken a moment later.
# Exports DISPLAY; the server's pid is DISPLAY_PID.
start_display() {
    local fifo="$WORK/displayfd" number=""
    mkfifo "$fifo"
    # -noreset: by default the server resets whenever its last client leaves (a game that ended,
    # a finished xdotool), and refuses connections meanwhile ("Can't open display").
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" \
        >/dev/null 2>&1 &
    DISPLAY_PID=$!
    # The number comes once the server accepts connections.
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    [ -n "$number" ] || fail "no X display could be started"
    export DISPLAY=":$number"
}

# launch NAME DIR COMMAND [ARG...]: runs COMMAND in DIR in the background, with its output in
# $WORK/NAME.out and NAME.err, and sets LAUNCHED to its pid (the program's own pid, as long as
# whatever comes first in COMMAND, env or a launcher, ends with exec).
launch() {
    local name=$1 dir=$2
    shift 2
    if [[ $1 == */* ]]; then
        set -- "$(realpath "$1")" "${@:2}"
    fi
    (cd "$dir" && exec "$@") >"$WORK/$name.out" 2>"$WORK/$name.err" &
    LAUNCHED=$!
}

# start_game DIR COMMAND [ARG...]: the game (its binary, or a command that execs it) with DIR as its
# working directory and its output in game.out and game.err (its frames, if logged, in game.log),
# with the shims in PRELOAD preloaded. Waits WINDOW_SECONDS (20 by default) for the window to be
# mapped, moves it fully onto the screen (without a window manager it sits one pixel off the
# corner) and the pointer into it. Sets GAME_PID and WINDOW.
start_game() {
    local dir=$1 preload=$PRELOAD
    shift
    if [ -n "${GRIDLUME_FRAME_PROBE:-}" ]; then
        preload="${preload:+$preload:}$GRIDLUME_FRAME_PROBE"
    fi
    if [ -n "$preload" ]; then
        # A preloaded library comes before AddressSanitizer's runtime, which it would refuse.
        set -- env "LD_PRELOAD=$preload" "GRIDLUME_PROBE_LOG=$WORK/game.log" \
            "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$@"
    fi
    rm -f "$WORK/game.log"
    launch game "$dir" "$@"
    GAME_PID=$LAUNCHED
    WINDOW=$(timeout "${WINDOW_SECONDS:-20}" xdotool search --sync --onlyvisible --name '^Gridlume$' |
        head -n 1) || true
    [ -n "$WINDOW" ] || fail "the window did not appear$(game_errors)"
    xdotool windowmove --sync "$WINDOW" 0 0 2>/dev/null || xdotool windowmove "$WINDOW" 0 0
    xdotool mousemove --window "$WINDOW" 400 300
}

# game_errors: the end of the game's error output, to add to a failure.
game_errors() {
    if [ -s "$WORK/game.err" ]; then
        printf ' (its last errors: %s)' "$(tail -n 3 "$WORK/game.err")"
    fi
}

# wait_for_output TEXT [SECONDS]: until the game has written a line containing TEXT (10 s at
# most, or it fails).
wait_for_output() {
    wait_until "${2:-10}" grep -qF "$1" "$WORK/game.out" ||
        fail "the game never wrote '$1'$(game_errors)"
}

game_ended() {
    ! running "$GAME_PID"
}

# expect_running WHAT [SECONDS]: the game still runs after WHAT, and for SECONDS more if given.
expect_running() {
    if [ -n "${2:-}" ] && wait_until "$2" game_ended || game_ended; then
        fail "the game ended $1$(game_errors)"
    fi
}

# wait_exit [SECONDS]: until the game has ended (10 s at most, or it fails); its status in
# EXIT_STATUS.
wait_exit() {
    wait_until "${1:-10}" game_ended || fail "the game did not end within ${1:-10} s"
    EXIT_STATUS=0
    wait "$GAME_PID" || EXIT_STATUS=$?
    GAME_PID=""
}

# expect_exit WHAT [SECONDS]: the game ends, with status 0, after WHAT.
expect_exit() {
    wait_exit "${2:-10}"
    [ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS after $1"
}

# expect_esc_exit WHAT: Esc ends the game with status 0.
expect_esc_exit() {
    key Escape
    expect_exit "Esc ($1)"
}

# stop PID: ends a program started here, if it still runs, and waits for it.
stop() {
    if running "$1"; then
        kill "$1"
    fi
    wait "$1" 2>/dev/null || true
}

# ---- Shims preloaded into the game ------------------------------------------------------------

# The end-to-end tests pace the game's frames (tools/vsync.c, GRIDLUME_VSYNC, at
# GRIDLUME_FRAME_RATE a second) when tests/CMakeLists.txt asks for it. start_game also preloads
# the frame probe (tools/perf/frame_probe.c, GRIDLUME_FRAME_PROBE) when it is built.
PRELOAD=${GRIDLUME_VSYNC:-}

# frames: how many frames the game started last has shown.
frames() {
    local n
    n=$(grep -c '^swap ' "$WORK/game.log" 2>/dev/null) || true
    echo "${n:-0}"
}

# wait_frames [N [SECONDS]]: until the game has shown N more frames (2 by default: the first of
# them may have been drawn before what the caller did reached the game), SECONDS (30) at most.
# What is on screen then shows what came before the call, however slow the machine.
wait_frames() {
    need_file GRIDLUME_FRAME_PROBE
    local until=$(($(frames) + ${1:-2}))
    wait_until "${2:-30}" frames_shown "$until" ||
        fail "the game did not draw ${1:-2} frames in ${2:-30} s$(game_errors)"
}

frames_shown() {
    [ "$(frames)" -ge "$1" ]
}

# use_timewarp: the games started from now on carry the clock shim (GRIDLUME_TIMEWARP, from
# tools/timewarp.c), so that warp_clock can move their clock forward.
use_timewarp() {
    need_file GRIDLUME_TIMEWARP
    PRELOAD="${PRELOAD:+$PRELOAD:}$GRIDLUME_TIMEWARP"
    export GRIDLUME_TIMEWARP_FILE="$WORK/warp"
    warp_clock 0
}

# warp_clock MS: from the next frame on, the game's clock reads MS milliseconds ahead of the real
# one (an offset from the start, not a step: a game started after warp_clock 0 runs on time).
warp_clock() {
    echo "$1" >"$WORK/warp"
}

# ---- Input -------------------------------------------------------------------------------------

# click X Y: a left press and release inside the window.
click() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.3
}

# key NAME: one key press with the pointer inside the window (focus follows the pointer).
key() {
    xdotool mousemove --window "$WINDOW" 400 300 key "$1"
}

# window_geometry: the game window's size as WIDTHxHEIGHT.
window_geometry() {
    xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p'
}

# window_is WxH: the game's window has that size.
window_is() {
    [ "$(window_geometry)" = "$1" ]
}

# screenshot NAME: the game window as $WORK/NAME.png (800 by 600); also copied to $E2E_KEEP if set.
screenshot() {
    import -window "$WINDOW" "$WORK/$1.png" 2>/dev/null || fail "screenshot $1 failed"
    if [ -n "${E2E_KEEP:-}" ]; then
        mkdir -p "$E2E_KEEP"
        cp "$WORK/$1.png" "$E2E_KEEP/"
    fi
}
