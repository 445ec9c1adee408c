#!/bin/bash
# Memory errors with the real renderer: the real binary under valgrind's memcheck, with Mesa's
# llvmpipe under Xvfb, through one short scripted game. A few seconds of the splash and the
# instructions; in play, the first gear lifted with a double press and carried into the bin,
# dealt pieces dragged off the board and back, the A key; then the game's clock is moved a
# hundred seconds ahead (the clock shim, tools/timewarp.c), nobody having placed a bulb, so the
# game is lost in that frame; a few seconds of the end screen, and the late click that ends the
# process.
#
#   ctest --test-dir BUILD -R memcheck       (about a minute), or by hand:
#   GRIDLUME_TIMEWARP=BUILD/tools/gridlume_timewarp.so \
#   GRIDLUME_FRAME_PROBE=BUILD/tools/gridlume_frame_probe.so bash tests/valgrind/memcheck.sh \
#       BUILD/gridlume SOURCE-DIR
#
# Fails on any error that memcheck reports and tests/valgrind/gridlume.supp does not name, and
# shows its stack, saying which of our source files it passes through. Leaks are not looked at:
# the game leaves what it built to the process exit on purpose (the logic tests check play's
# memory with LeakSanitizer instead). Exits 77 (skipped) for a sanitizer build, which valgrind
# cannot run.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
game_arguments "$@"

symbols=$(nm -D "$BINARY" 2>/dev/null || true)
if [[ $symbols == *__asan_init* ]]; then
    echo "memcheck: skipped, $BINARY is built with AddressSanitizer"
    exit 77
fi
use_timewarp

# Under valgrind on a busy machine no step takes a known time: the first frame came after 10 s on
# an idle machine and after 135 s at a load of 13, and later frames take one to many seconds. So
# a step is given frames, not seconds, and what has no frames to count (the window, the first
# frames, the exit) is given what is left of the run's budget, a little less than ctest's
# timeout, so that a hang still fails here, with its story.
left() {
    echo $((560 - SECONDS))
}

# progress_to TEXT: until the game writes TEXT: each step writes its line within a frame or two
# of the input, so it fails once the game has drawn 20 frames without writing it.
progress_to() {
    local until=$(($(frames) + 20))
    until grep -qF "$1" "$WORK/game.out"; do
        ! frames_shown "$until" || fail "the game drew 20 frames but never wrote '$1'$(game_errors)"
        ! game_ended || fail "the game ended before it wrote '$1'$(game_errors)"
        sleep 0.5
    done
}

LOG="$WORK/memcheck.log"
SECONDS=0
start_display
# Input sent before the first frame (llvmpipe compiling its shaders) is taken only after it.
WINDOW_SECONDS=$(left) start_game "$SOURCE" \
    valgrind --tool=memcheck --num-callers=40 --track-origins=yes \
    --suppressions="$ROOT/tests/valgrind/gridlume.supp" --gen-suppressions=all \
    --log-file="$LOG" "$BINARY"
wait_frames 2 "$(left)"
echo "memcheck: splash drawn after $SECONDS s"
click 400 300
progress_to "texture ./img/instructions.jpg"
wait_frames 2 "$(left)"
click 400 300
progress_to "Loaded Sound chain"
echo "memcheck: in play after $SECONDS s"

# The first gear (radius 25 at world (-50, -75)): two presses in a row lift it; it follows the
# pointer to the bin's far left corner, and a release long after the lifting press drops it
# there. Nothing else is near that corner, so a press there picks nothing if the lift failed.
xdotool mousemove --window "$WINDOW" 350 375 click 1 click 1
sleep 1
xdotool mousemove --window "$WINDOW" 200 450 mousemove --window "$WINDOW" 10 530
sleep 3
xdotool click 1
# Dealt pieces dragged off the board, to the top left corner: released there, they go back to
# where they were picked and roll on into the bin. No bulb is ever placed.
for _ in 1 2 3; do
    for y in 100 160 220 280 340 400 460; do
        xdotool mousemove --window "$WINDOW" 50 "$y" mousedown 1 \
            mousemove --window "$WINDOW" 20 20 mouseup 1
        sleep 0.1
    done
    sleep 1
done
key a
sleep 1
warp_clock 100000
progress_to "texture ./img/lose.jpg"
echo "memcheck: end screen after $SECONDS s"
# The end screen ignores left releases for its first five seconds of the frame clock, and the
# one after that ends the process: its clock is moved on ten more seconds, and read by a frame.
warp_clock 110000
wait_frames 2 "$(left)"
xdotool mousemove --window "$WINDOW" 400 300 click 1
wait_exit "$(left)"
echo "memcheck: the game ended with status $EXIT_STATUS after $SECONDS s"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS after the late click on the end screen"

summary=$(grep "ERROR SUMMARY" "$LOG" || true)
echo "memcheck: ${summary#*== }"
if ! grep -q "ERROR SUMMARY: 0 errors" "$LOG"; then
    ours=$(find "$SOURCE/src" -name '*.cpp' -printf '%f\n' | paste -sd'|')
    # Each error report runs from a line naming the error to the next empty report line.
    awk '/^==[0-9]+== [A-Z]/ && !/ERROR SUMMARY|HEAP SUMMARY|LEAK SUMMARY/ { show = 1 }
         show { print } /^==[0-9]+== $/ { show = 0 }' "$LOG" | head -n 200 || true
    if grep -Eq "\\((${ours}):[0-9]+\\)" "$LOG"; then
        echo "memcheck: some of these stacks pass through our code"
    fi
    if [ -n "${MEMCHECK_KEEP:-}" ]; then
        cp "$LOG" "$MEMCHECK_KEEP"
    fi
    fail "memcheck reported errors (suppressions to consider are in the log)"
fi
echo "memcheck: no errors"
