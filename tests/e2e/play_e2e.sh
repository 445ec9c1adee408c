#!/bin/bash
# A real game: the binary from the repository with its own pictures and sounds, into play, the
# first dealt piece dragged from the chute onto the chain, where it stays and is turned. Its sound
# is recorded by OpenAL's wave writer and must never reach full scale (it clipped once).
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
need_tools sox
printf '[general]\ndrivers=wave\nchannels=stereo\nsample-type=float32\n[wave]\nfile=%s\n' \
    "$WORK/mix.wav" >"$WORK/alsoft.conf"
start_display
start_game "$SOURCE" env -u ALSOFT_DRIVERS ALSOFT_CONF="$WORK/alsoft.conf" "$BINARY"
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
# The moving chain alone changes those pixels too: the ring round a piece the chain turns says
# that it took hold of this one.
ring=$(awk -v a="$(ring_share later "$PLACED_X" "$PLACED_Y")" \
    -v b="$(ring_share before "$PLACED_X" "$PLACED_Y")" 'BEGIN { print a - b }')
at_least "$ring" 0.004 "the chain does not turn the piece"
# A new piece was dealt into the chute once the first was placed.
at_least "$(difference before later 0 60 100 120)" 0.05 "no new piece in the chute"

expect_esc_exit "in play"
# The overlays' pictures (img/hud) load when first drawn; the game's own lines keep their order.
grep -vF ./img/hud/ "$WORK/game.out" | head -n 14 | diff <(printf '%s\n' "$EXPECTED_LOG") - ||
    fail "unexpected log lines"
if grep -q ERROR "$WORK/game.out"; then
    fail "sound errors: $(grep ERROR "$WORK/game.out" | head -n 3)"
fi
# Linux's OpenAL holds float output at 1.0, so a clipped mix shows as a peak of 1.
peak=$(sox "$WORK/mix.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ { a = $3 }
    /^Minimum amplitude/ { b = -$3 } END { print (a > b ? a : b) }')
at_least "$peak" 0.05 "nothing was heard"
at_most "$peak" 0.99 "the sound reached full scale"
# The game, quit in play, was recorded; played back without a window it ends the same way, at the
# same game time, in the same state.
replays=("$XDG_DATA_HOME"/gridlume/replays/*-normal-quit.gridlume-replay)
[ -f "${replays[0]}" ] || fail "the game was not recorded"
ALSOFT_DRIVERS=null "$BINARY" --data "$SOURCE" --verify-replay "${replays[0]}" >"$WORK/verify.out" ||
    fail "the replay did not play the same game: $(tail -n 4 "$WORK/verify.out")"
echo "play: the first piece was placed on the chain and turned; peak of the sound $peak;" \
    "the game's replay plays it again"

