#!/bin/bash
# Takes the documentation screenshots with the real game under Xvfb: splash, instructions with
# the mode line, the first deal's hint, a game in play (the turning mark on the placed piece),
# the same game paused and in full screen on a 16:9 screen, and both end screens, the lost one
# with its tip (reached by moving the game's clock forward with the preloaded clock shim,
# tools/timewarp.c). The records start empty, so these are a newcomer's first games: hints on.
# Usage: tools/screenshots/take.sh [BUILD-DIR]   (build targets gridlume and gridlume_timewarp)
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../../tests/e2e/player.sh"
use_build "${1:-$ROOT/build}"
use_timewarp
OUT="$ROOT/docs"
export ALSOFT_DRIVERS=null
start_display 1280x720x24

# keep NAME: the screenshot as docs/screenshot-NAME.png.
keep() {
    screenshot "$1"
    cp "$WORK/$1.png" "$OUT/screenshot-$1.png"
}

warp_clock 0
start_game "$ROOT" "$GRIDLUME_BINARY"
sleep 1
keep splash
click 400 300
sleep 0.5
keep instructions
click 400 300
sleep 1 # the first piece is dealt with its caption
keep hints
grab_dealt_piece 140
screenshot chain
place_on_chain chain || drag_to 220 420
sleep 0.4
keep play
key p
sleep 0.3
keep paused
key F11
sleep 1
import -window root "$OUT/screenshot-fullscreen.png"
key F11
sleep 0.5
key p
sleep 0.5 # resumed before the clock moves: a jump while paused is paused time, and lost
warp_clock 300000 # past four minutes: won before anything fades
sleep 1
keep win
key Escape
wait_exit

warp_clock 0
start_game "$ROOT" "$GRIDLUME_BINARY"
click 400 300
click 400 300
sleep 0.5
warp_clock 100000 # a hundred seconds in one frame: the board goes dark
sleep 1
keep lose
key Escape
wait_exit
echo "screenshots written to $OUT"
