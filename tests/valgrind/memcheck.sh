#!/bin/bash
# Memory errors with the real renderer: the real binary under valgrind's memcheck, with Mesa's
# llvmpipe under Xvfb, through one short scripted game. A few seconds of the splash and the
# instructions; in play, the first gear lifted with a double press and carried into the bin,
# dealt pieces dragged off the board and back, the A key; then nobody plays until the game is lost
# (70 s into play: with no bulb on the board nothing can put that off, however slow the frames),
# a few seconds of the end screen, and the late click that ends the process.
#
#   bash tests/valgrind/memcheck.sh BUILD/gridlume SOURCE-DIR     (about two minutes)
#
# Fails on any error that memcheck reports and tests/valgrind/gridlume.supp does not name, and
# shows its stack, saying which of our source files it passes through. Leaks are not looked at:
# the game leaves what it built to the process exit on purpose (the logic tests check play's
# memory with LeakSanitizer instead). Exits 77 (skipped) for a sanitizer build, which valgrind
# cannot run.
set -u
BINARY=$(realpath "$1")
SOURCE=$(realpath "$2")
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../e2e/lib.sh"
. "$HERE/../e2e/hostile_lib.sh"
trap stop_all EXIT

if nm -D "$BINARY" 2>/dev/null | grep -q __asan_init; then
    echo "memcheck: skipped, $BINARY is built with AddressSanitizer"
    exit 77
fi

# wait_long TEXT SECONDS: like wait_for_output, for a game that runs many times slower.
wait_long() {
    for _ in $(seq 1 $(($2 * 5))); do
        grep -qF "$1" "$E2E_TMP/game.out" 2>/dev/null && return 0
        sleep 0.2
    done
    fail "the game never wrote '$1'"
}

LOG="$E2E_TMP/memcheck.log"
launcher="$E2E_TMP/memcheck-gridlume"
{
    echo '#!/bin/bash'
    printf 'exec valgrind --tool=memcheck --num-callers=40 --track-origins=yes'
    printf ' --suppressions=%q --gen-suppressions=all --log-file=%q %q\n' \
        "$HERE/gridlume.supp" "$LOG" "$BINARY"
} >"$launcher"
chmod +x "$launcher"

SECONDS=0
start_display
(cd "$SOURCE" && exec "$launcher") >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err" &
GAME_PID=$!
WINDOW=$(timeout 120 xdotool search --sync --name '^Gridlume$' | head -n 1)
[ -n "$WINDOW" ] || fail "the window did not appear"
wait_long "texture ./img/splash.jpg" 60
sleep 5
click 400 300
wait_long "texture ./img/instructions.jpg" 60
sleep 5
click 400 300
wait_long "Loaded Sound chain" 60
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
if ! (wait_long "texture ./img/lose.jpg" 300); then
    screenshot stuck
    tail -n 20 "$E2E_TMP/game.out"
    fail "the game was not lost in time"
fi
echo "memcheck: end screen after $SECONDS s"
sleep 7
xdotool mousemove --window "$WINDOW" 400 300 click 1
for _ in $(seq 1 300); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.2
done
wait_exit
status=$?
echo "memcheck: the game ended with status $status after $SECONDS s"
[ "$status" -eq 0 ] || fail "exit status $status after the late click on the end screen"

summary=$(grep "ERROR SUMMARY" "$LOG")
echo "memcheck: ${summary#*== }"
if ! grep -q "ERROR SUMMARY: 0 errors" "$LOG"; then
    ours=$(find "$SOURCE/src" -name '*.cpp' -printf '%f\n' | paste -sd'|')
    # Each error report runs from a line naming the error to the next empty report line.
    awk '/^==[0-9]+== [A-Z]/ && !/ERROR SUMMARY|HEAP SUMMARY|LEAK SUMMARY/ { show = 1 }
         show { print } /^==[0-9]+== $/ { show = 0 }' "$LOG" | head -n 200
    if grep -Eq "\\((${ours}):[0-9]+\\)" "$LOG"; then
        echo "memcheck: some of these stacks pass through our code"
    fi
    [ -n "${MEMCHECK_KEEP:-}" ] && cp "$LOG" "$MEMCHECK_KEEP"
    fail "memcheck reported errors (suppressions to consider are in the log)"
fi
echo "memcheck: no errors"
