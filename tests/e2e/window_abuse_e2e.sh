#!/bin/bash
# The real binary's window resized to 1 by 1, minimised (Xvfb has no window manager, so the
# window is also unmapped, which is what a minimised window is to the program), blown up to
# 3000 by 2000 and brought back, many times in a row: on the start screen, in play, and in the
# middle of a drag. The game keeps running, keeps its 4:3 shape, draws the same picture once
# the window is back at 800 by 600, and ends with status 0 on Esc.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
game_arguments "$@"

# resize W H: asks for a size, a moment after the last request.
resize() {
    xdotool windowsize "$WINDOW" "$1" "$2"
    sleep 0.05
}

# abuse ROUNDS: the whole sequence, over and over.
abuse() {
    local round
    for round in $(seq 1 "$1"); do
        resize 1 1
        xdotool windowminimize "$WINDOW"
        xdotool windowunmap "$WINDOW"
        sleep 0.05
        xdotool windowmap "$WINDOW"
        resize 3000 2000
        resize 1 1
        resize 2 2
        resize 800 600
        expect_running "in round $round"
    done
}

# resized_to W H: asks for a size and waits for the one the game keeps (its 4:3 shape).
resized_to() {
    resize "$1" "$2"
    wait_until 5 window_is "$3" || fail "a window asked to be $1x$2 is $(window_geometry), not $3"
}

# back_to_normal: 800 by 600, and redrawn at that size.
back_to_normal() {
    resized_to 800 600 800x600
    wait_frames
}

start_display
start_game "$SOURCE" "$BINARY"
wait_for_output "Loaded texture ./img/splash.jpg"
wait_frames 1 # the first frame shows the splash
screenshot splash
abuse 15
back_to_normal
screenshot splash_after
at_most "$(difference splash splash_after 0 0 800 600)" 0.02 "the splash picture changed"

# The shape the game forces on the sizes it is given.
resized_to 1 1 1x1
resized_to 3000 2000 1024x768 # the largest 4:3 window that fits the 1024 by 768 screen
resized_to 1000 500 1000x750
back_to_normal

click 400 300
click 400 300
wait_for_output "Loaded Sound chain"
wait_frames
screenshot play
abuse 25

# In the middle of a drag from the chute: the pointer maps to world coordinates through
# whatever size the window has at that moment.
for round in $(seq 1 10); do
    xdotool mousemove --window "$WINDOW" 50 "$((100 + round * 30))" mousedown 1
    resize 1 1
    xdotool mousemove --window "$WINDOW" 0 0
    resize 3000 2000
    xdotool mousemove --window "$WINDOW" 2000 1500
    resize 800 600
    xdotool mousemove --window "$WINDOW" 400 300 mouseup 1
    expect_running "in a drag, round $round"
done
back_to_normal
screenshot play_after
expect_drawn play_after
# The background above the board is the same picture as before.
at_most "$(difference play play_after 630 5 160 80)" 0.05 "the background moved" # beside the pause sign
expect_esc_exit "window abuse"
echo "window abuse: 50 rounds of resizing and unmapping, still drawing, status 0"
