#!/bin/bash
# A real game: the binary from the repository with its own pictures and sounds, into play, the
# first dealt piece dragged from the chute onto the chain, where it stays and is turned.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"

EXPECTED_LOG="Loaded texture ./img/splash.jpg
Loaded texture ./img/instructions.jpg
Loaded texture ./img/link.png
Loaded texture ./img/motor.png
Loaded texture ./img/gear.png
Loaded texture ./img/bg.jpg
Loaded loop alarm
Loaded Sound good
Loaded loop motor
Loaded Sound roll
Loaded Sound trash
Loaded Sound chain
Loaded texture ./img/lightbulb.png
Loaded texture ./img/square.jpg"

game_arguments "$@"
start_display
start_game "$SOURCE" "$BINARY"
wait_for_output "Loaded texture ./img/splash.jpg"
click 400 300
xdotool mousemove --window "$WINDOW" 400 300 mousedown 1 mouseup 1
wait_for_output "Loaded texture ./img/square.jpg"
wait_frames
screenshot before
grab_dealt_piece
screenshot chain
place_on_chain chain || fail "no chain between the motor and the first gear"
wait_frames
screenshot placed
sleep 1.5
screenshot later

# The dragged piece (radius 30) sits where it was dropped and turns inside its own circle.
box="$((PLACED_X - 18)) $((PLACED_Y - 18)) 36 36"
at_least "$(difference before placed $box)" 0.08 "the piece did not arrive"
at_least "$(difference before later $box)" 0.08 "the piece did not stay"
at_least "$(difference placed later $box)" 0.01 "nothing turned"
# A new piece was dealt into the chute once the first was placed.
at_least "$(difference before later 0 60 100 120)" 0.05 "no new piece in the chute"

expect_esc_exit "in play"
# The overlays' pictures (img/hud) load when first drawn; the game's own lines keep their order.
grep -vF ./img/hud/ "$WORK/game.out" | head -n 14 | diff <(printf '%s\n' "$EXPECTED_LOG") - ||
    fail "unexpected log lines"
if grep -q ERROR "$WORK/game.out"; then
    fail "sound errors: $(grep ERROR "$WORK/game.out" | head -n 3)"
fi
echo "play: the first piece was placed on the chain and turned"
