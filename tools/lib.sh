# The one library of the bash scripts that drive the real game under Xvfb: the end-to-end tests,
# the valgrind run, the perf scripts and the screenshot script. Source it right after
# `set -euo pipefail`. It makes the scratch folder $WORK and sets the clean-up trap before anything
# else can fail, so whatever a script starts is ended with it.
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
# Games played here keep their records in the scratch folder, never in the user's own.
export XDG_DATA_HOME="$WORK/data"
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

# now_us: microseconds on the wall clock, in NOW_US.
now_us() {
    NOW_US=${EPOCHREALTIME//[!0-9]/}
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
    now_us
    deadline=$((NOW_US + 10#${whole:-0} * 1000000 + 10#${fraction:0:6}))
    shift
    while :; do
        "$@" && return 0
        now_us
        [ "$NOW_US" -lt "$deadline" ] || return 1
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
# working directory and its output in game.out and game.err, with the shims in PRELOAD preloaded.
# Waits WINDOW_SECONDS (20 by default) for the window, moves the window fully onto the screen
# (without a window manager it sits one pixel off the corner) and the pointer into it. Sets
# GAME_PID and WINDOW.
start_game() {
    local dir=$1
    shift
    if [ -n "$PRELOAD" ]; then
        # A preloaded library comes before AddressSanitizer's runtime, which it would refuse.
        set -- env "LD_PRELOAD=$PRELOAD" \
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
# GRIDLUME_FRAME_RATE a second) and log them (tools/perf/frame_probe.c, GRIDLUME_FRAME_PROBE,
# into $WORK/game.log) when tests/CMakeLists.txt asks for it.
PRELOAD=${GRIDLUME_VSYNC:-}
if [ -n "${GRIDLUME_FRAME_PROBE:-}" ]; then
    PRELOAD="${PRELOAD:+$PRELOAD:}$GRIDLUME_FRAME_PROBE"
    export GRIDLUME_PROBE_LOG="$WORK/game.log"
fi

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

# ---- Screenshots and pixels --------------------------------------------------------------------

# screenshot NAME: the game window as $WORK/NAME.png (800 by 600); also copied to $E2E_KEEP if set.
screenshot() {
    import -window "$WINDOW" "$WORK/$1.png" 2>/dev/null || fail "screenshot $1 failed"
    if [ -n "${E2E_KEEP:-}" ]; then
        mkdir -p "$E2E_KEEP"
        cp "$WORK/$1.png" "$E2E_KEEP/"
    fi
}

# pixel NAME X Y: prints the pixel as "r,g,b" with 0..255 components.
pixel() {
    local p="p{$2,$3}"
    convert "$WORK/$1.png" \
        -format "%[fx:int(255*$p.r)],%[fx:int(255*$p.g)],%[fx:int(255*$p.b)]" info:
}

# expect_colour NAME X Y R G B: the pixel is within 40 of the colour on every channel.
expect_colour() {
    local got r g b pair
    got=$(pixel "$1" "$2" "$3")
    IFS=, read -r r g b <<<"$got"
    for pair in "$r:$4" "$g:$5" "$b:$6"; do
        local a=${pair%%:*} e=${pair##*:}
        local d=$((a > e ? a - e : e - a))
        [ "$d" -le 40 ] || fail "$1 at ($2,$3) is $got, expected $4,$5,$6"
    done
}

# expect_drawn NAME: the screenshot shows a drawn frame (three colours or more), not a plain
# cleared window.
expect_drawn() {
    local n
    n=$(convert "$WORK/$1.png" -format %k info:)
    [ "$n" -ge 3 ] || fail "$1 holds only $n colours"
}

# difference NAME1 NAME2 X Y W H: how different two screenshots are inside a box, 0 (same) to 1.
difference() {
    convert "$WORK/$1.png" -crop "$5x$6+$3+$4" +repage "$WORK/crop-a.png"
    convert "$WORK/$2.png" -crop "$5x$6+$3+$4" +repage "$WORK/crop-b.png"
    rmse "$WORK/crop-a.png" "$WORK/crop-b.png"
}

# rmse PICTURE1 PICTURE2: root mean square difference of two pictures of one size, 0 to 1.
rmse() {
    { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}

# at_least VALUE LIMIT WHAT: fails unless VALUE >= LIMIT (decimal numbers).
at_least() {
    awk -v v="$1" -v l="$2" 'BEGIN { exit !(v >= l) }' || fail "$3: $1 is below $2"
}

# at_most VALUE LIMIT WHAT: fails unless VALUE <= LIMIT.
at_most() {
    awk -v v="$1" -v l="$2" 'BEGIN { exit !(v <= l) }' || fail "$3: $1 is above $2"
}

# column_pixels NAME X Y0 Y1: the pixels of column X from row Y0 to Y1 as "ROW R G B" lines.
column_pixels() {
    convert "$WORK/$1.png" -crop "1x$(($4 - $3))+$2+$3" +repage -depth 8 txt:- |
        awk -F'[,:() ]+' -v y0="$3" '/^[0-9]/ { print y0 + $2, $3, $4, $5 }'
}

# yellow_rows NAME X Y0 Y1: the middle row of the yellowish pixels in column X between rows Y0
# and Y1 (the bulb icon on a dealt piece), or nothing.
yellow_rows() {
    column_pixels "$@" |
        awk '$2 > 170 && $3 > 120 && $4 < 110 { sum += $1; n++ }
             END { if (n > 0) print int(sum / n) }'
}

# grey_row NAME X Y0 Y1: the first row between Y0 and Y1 in column X where the picture is a
# neutral grey (the chain's links over the green board), or nothing.
grey_row() {
    column_pixels "$@" |
        awk '!found { lo = $2; hi = $2
                      if ($3 < lo) lo = $3; if ($4 < lo) lo = $4
                      if ($3 > hi) hi = $3; if ($4 > hi) hi = $4
                      if (hi - lo < 30 && hi > 80) { print $1; found = 1 } }'
}

# ---- Play --------------------------------------------------------------------------------------

# The pictures read on the way into play and by the first dealt pieces, and every sound.
PICTURES="splash.jpg instructions.jpg link.png motor.png gear.png bg.jpg square.jpg
lightbulb.png addlink.png"
WAVES="alarm good motor roll trash chain"

# wait_for_output TEXT [SECONDS]: until the game has written a line containing TEXT (10 s at
# most, or it fails).
wait_for_output() {
    wait_until "${2:-10}" grep -qF "$1" "$WORK/game.out" ||
        fail "the game never wrote '$1'$(game_errors)"
}

# enter_play: from the splash picture through the instructions into play. Play has begun once
# the sound bank has loaded its last sound.
enter_play() {
    wait_for_output "texture ./img/splash.jpg"
    click 400 300
    click 400 300
    wait_for_output "Loaded Sound chain"
}

# copy_data SOURCE DEST: the game's own pictures and sounds, to be broken in DEST.
copy_data() {
    mkdir -p "$2"
    cp -r "$1/img" "$1/sounds" "$2/"
}

# deal_add_link [X Y]: the third dealt piece is the first add-link piece, and only its creation
# reads "./img/addlink.png". Dragging a dealt piece from the chute onto the board, or into the
# bin, deals the next one; a press that misses changes nothing. The pieces go to pixel (X, Y):
# by default the board's top right corner, away from the chain; (10, 515) is the bin. Untouched
# pieces roll into the bin and are replaced anyway, the third after about 11 seconds.
deal_add_link() {
    wait_until --every 0.4 25 drag_chute_to "${1:-700}" "${2:-150}" ||
        fail "the game never wrote 'texture ./img/addlink.png'$(game_errors)"
}

# drag_chute_to X Y: true once the add-link piece was dealt; else drags from all along the chute.
drag_chute_to() {
    local y
    grep -qF "texture ./img/addlink.png" "$WORK/game.out" && return 0
    for y in 100 150 200 250 300 350 400 450; do
        xdotool mousemove --window "$WINDOW" 50 "$y" mousedown 1 \
            mousemove --window "$WINDOW" "$1" "$2" mouseup 1
        sleep 0.08
    done
    return 1
}

# grab_dealt_piece [MIN_ROW]: presses on the dealt piece rolling down the chute and pulls it out
# to the right; the button stays down. How far the piece has rolled depends on how long building
# the game took, so it is found by its bulb in a quick capture, and the press leads it by the
# distance it rolls (76.4 units a second) while the capture is read. Pieces above MIN_ROW are
# left to grow first. A miss changes nothing, so it tries again, at least 0.5 s apart so that
# no two presses make a double press. Sets GRAB_X and GRAB_Y.
grab_dealt_piece() {
    wait_until --every 0.6 15 grab_once "${1:-0}" || fail "could not pick up a dealt piece"
}

grab_once() {
    local row taken lead
    taken=$(date +%s%N)
    xwd -id "$WINDOW" -silent >"$WORK/chute.xwd"
    convert "xwd:$WORK/chute.xwd" "$WORK/chute.png"
    row=$(yellow_rows chute 50 60 470)
    [ -n "$row" ] && [ "$row" -ge "$1" ] && [ "$row" -lt 400 ] || return 1
    lead=$((($(date +%s%N) - taken) * 764 / 10000000000 + 4))
    xdotool mousemove --window "$WINDOW" 50 $((row + lead)) mousedown 1
    xdotool mousemove --window "$WINDOW" 150 $((row + lead))
    sleep 0.3
    screenshot grabbed
    if [ -n "$(yellow_rows grabbed 150 $((row + lead - 45)) $((row + lead + 45)))" ]; then
        GRAB_X=150
        GRAB_Y=$((row + lead))
        return 0
    fi
    xdotool mouseup 1
    return 1
}

# drag_to X Y: moves the held piece there in a few steps and releases the button.
drag_to() {
    local step
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --window "$WINDOW" $((GRAB_X + step * ($1 - GRAB_X) / 8)) \
            $((GRAB_Y + step * ($2 - GRAB_Y) / 8))
        sleep 0.05
    done
    xdotool mouseup 1
}

# place_on_chain NAME: drops the grabbed piece onto the chain where it runs from the motor
# towards the first gear, found in screenshot NAME; the piece's circle then holds joints, which
# the next step pushes onto its rim, and the moving chain turns it. Sets PLACED_X and PLACED_Y.
place_on_chain() {
    local x y
    for x in 260 280 240 300 220; do
        y=$(grey_row "$1" "$x" 330 520)
        if [ -n "$y" ]; then
            PLACED_X=$x PLACED_Y=$y
            drag_to "$x" "$y"
            return 0
        fi
    done
    return 1
}

# ---- The game's log ----------------------------------------------------------------------------

# expect_line FILE TEXT: FILE holds a line that is exactly TEXT.
expect_line() {
    grep -qxF "$2" "$1" || fail "$(basename "$1") lacks the line '$2'"
}

# expect_no_line FILE TEXT
expect_no_line() {
    ! grep -qxF "$2" "$1" || fail "$(basename "$1") has the line '$2'"
}

# expect_sound_log OUT: the sound bank's six load lines, in order, as play begins; each is
# written whether or not its sample could be loaded.
expect_sound_log() {
    local expected="Loaded loop alarm
Loaded Sound good
Loaded loop motor
Loaded Sound roll
Loaded Sound trash
Loaded Sound chain"
    grep "^Loaded loop \|^Loaded Sound " "$1" | head -n 6 | diff <(printf '%s\n' "$expected") - ||
        fail "$(basename "$1"): sound load lines"
}

# ---- The frame probe (perf scripts) ------------------------------------------------------------

# probe_run NAME DIR PROGRAM [ARG...]: starts PROGRAM in DIR under the frame probe
# (tools/perf/frame_probe.c) through the launcher that notes the moment of launch; the probe's log
# is $WORK/NAME.log. Sets LAUNCHED.
probe_run() {
    local name=$1 dir=$2
    shift 2
    rm -f "$WORK/$name.log"
    launch "$name" "$dir" env "GRIDLUME_PROBE_LOG=$WORK/$name.log" \
        "LD_PRELOAD=$GRIDLUME_FRAME_PROBE" "$GRIDLUME_LAUNCH" "$@"
}

# probe_count NAME KIND COUNT: the probe's log holds COUNT lines of KIND or more.
probe_count() {
    local n
    n=$(grep -c "^$2 " "$WORK/$1.log" 2>/dev/null) || true
    [ "${n:-0}" -ge "$3" ]
}

# probe_wait NAME KIND COUNT [SECONDS]: until the log holds COUNT lines of KIND (20 s at most).
probe_wait() {
    wait_until "${4:-20}" probe_count "$1" "$2" "$3" || fail "$1 never logged $3 '$2' lines"
}

# probe_play: the game under the probe (its log "game"), clicked past the two start pictures into
# play once it has drawn its first frame; sets GAME_PID and WINDOW.
probe_play() {
    need_file GRIDLUME_FRAME_PROBE
    need_file GRIDLUME_LAUNCH
    rm -f "$WORK/game.log"
    start_game "$ROOT" env "GRIDLUME_PROBE_LOG=$WORK/game.log" \
        "LD_PRELOAD=$GRIDLUME_FRAME_PROBE" "$GRIDLUME_LAUNCH" "$GRIDLUME_BINARY" "$@"
    probe_wait game swap 1
    sleep 0.5
    click 400 300
    sleep 0.2
    click 400 300
    probe_wait game release 2
}

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

# probe_fps NAME FROM SECONDS [RELEASES]: "FPS CPU_MS" over SECONDS, starting FROM seconds after
# the first swap that follows RELEASES button releases (default 0): the frames per second, and the
# CPU time the program used per frame (all its threads) over the same frames.
probe_fps() {
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
        "$WORK/$1.log"
}

# probe_swaps NAME: how many swaps the log holds.
probe_swaps() {
    grep -c '^swap ' "$WORK/$1.log" || true
}

# cpu_ticks PID: CPU time a process has used so far, in clock ticks (user + system).
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}

# load_average: the one-minute load average.
load_average() {
    cut -d' ' -f1 /proc/loadavg
}

# table_row FIRST VALUE...: one row of a table of figures, the first column left-aligned.
table_row() {
    printf "%-6s" "$1"
    shift
    printf " %9s" "$@"
    echo
}

# median: the median of the numbers on standard input, one per line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                        else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
