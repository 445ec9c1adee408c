#!/bin/bash
# Takes the documentation screenshots with the real game under Xvfb: splash, instructions, a
# game in play, and both end screens (reached by moving the game's clock forward with a
# preloaded shim, see timewarp.c). Usage: tools/screenshots/take.sh BUILD-DIR
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BINARY=$(realpath "${1:-$ROOT/build}/gridlume")
OUT="$ROOT/docs"
. "$ROOT/tests/e2e/lib.sh"
trap stop_all EXIT
export E2E_KEEP="$E2E_TMP/keep" ALSOFT_DRIVERS=null

cc -shared -fPIC -O2 -o "$E2E_TMP/timewarp.so" "$ROOT/tools/screenshots/timewarp.c" -ldl
export GRIDLUME_TIMEWARP_FILE="$E2E_TMP/warp"
echo 0 >"$GRIDLUME_TIMEWARP_FILE"
start_display

run() { # a fresh game with the clock shim
    echo 0 >"$GRIDLUME_TIMEWARP_FILE"
    LD_PRELOAD="$E2E_TMP/timewarp.so" start_game "$BINARY" "$ROOT"
}

run
sleep 1
screenshot splash && cp "$E2E_TMP/splash.png" "$OUT/screenshot-splash.png"
click 400 300
sleep 0.5
screenshot instructions && cp "$E2E_TMP/instructions.png" "$OUT/screenshot-instructions.png"
click 400 300
grab_dealt_piece 140
screenshot chain
for x in 260 280 240 300 220; do
    y=$(grey_row chain "$x" 330 520)
    [ -n "$y" ] && break
done
drag_to "$x" "${y:-420}"
sleep 0.4
screenshot play && cp "$E2E_TMP/play.png" "$OUT/screenshot-play.png"
echo 300000 >"$GRIDLUME_TIMEWARP_FILE" # past four minutes: won before anything fades
sleep 1
screenshot win && cp "$E2E_TMP/win.png" "$OUT/screenshot-win.png"
key Escape
wait_exit || true

run
click 400 300
click 400 300
sleep 0.5
echo 100000 >"$GRIDLUME_TIMEWARP_FILE" # a hundred seconds in one frame: the board goes dark
sleep 1
screenshot lose && cp "$E2E_TMP/lose.png" "$OUT/screenshot-lose.png"
key Escape
wait_exit || true
echo "screenshots written to $OUT"
