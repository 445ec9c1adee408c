#!/bin/bash
# The real binary under Xvfb, run from a data folder of stand-in pictures whose colours tell
# which picture is on screen and which way up it is.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
game_arguments "$@"

DATA="$WORK/data"
mkdir -p "$DATA/img"
# Splash: red top half, blue bottom half, a green block in the top left corner.
convert -size 256x256 xc:blue -fill red -draw "rectangle 0,0 255,127" \
    -fill lime -draw "rectangle 0,0 63,63" "$DATA/img/splash.jpg"
convert -size 256x256 xc:yellow "$DATA/img/instructions.jpg"

start_display
start_game "$DATA" "$BINARY"
wait_for_output "Loaded texture ./img/splash.jpg"
wait_frames 1 # the first frame shows the splash
screenshot splash
# top left, beside the buttons: green, so the picture is upright and unmirrored
expect_colour splash 180 90 0 255 0
expect_colour splash 600 100 255 0 0  # top: red
expect_colour splash 400 500 0 0 255  # bottom: blue
expect_colour splash 750 550 0 0 255

xdotool mousemove --window "$WINDOW" 400 300 mousedown 1
wait_frames
screenshot pressed
expect_colour pressed 600 100 255 0 0 # a press alone does not advance
xdotool mouseup 1
wait_for_output "Loaded texture ./img/instructions.jpg"
wait_frames
screenshot instructions
expect_colour instructions 400 300 255 255 0
expect_colour instructions 180 90 255 255 0

click 700 50 # into play
sleep 0.3
expect_esc_exit "in play"

expected=$'Loaded texture ./img/splash.jpg\nLoaded texture ./img/instructions.jpg'
# The folder has no pictures for the buttons: they fail to load, as they may.
grep -v '/hud/' "$WORK/game.out" | head -n 2 | diff <(printf '%s\n' "$expected") - || fail "unexpected log lines"
echo "screens: splash, instructions, play and Escape as expected"
