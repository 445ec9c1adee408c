#!/bin/bash
# What a player expects of a desktop game, against the real binary on a 16:9 screen: P pauses
# (the sign shows and nothing on screen moves for 3 s, the countdown included) and resumes (the
# countdown runs on); F11 fills the screen with the 4:3 picture between black bars and brings
# the window back at its size; a damaged records file is reported once and left as it was; Esc
# still ends the game with status 0. Sound turned off stays off in the next run, and an option
# given for one run is not kept.
# Usage: comforts_e2e.sh <path-to-built-gridlume> <source-dir>
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
game_arguments "$@"
need_tools xdotool import convert compare

records="$XDG_DATA_HOME/gridlume/records"
mkdir -p "$(dirname "$records")"
printf 'not a records file\n' >"$records"

start_display 1280x720x24
start_game "$SOURCE" "$BINARY" --no-hints # the title bar shows the pause sign alone
enter_play
grep -qF "gridlume: records file $records: its first line is not" "$WORK/game.err" ||
    fail "no word of the damaged records file$(game_errors)"

# The countdown's slot is at pixels 692..792 x 556..592; the sign in the title bar.
sleep 1.5
key p
wait_frames
screenshot paused
sleep 3
screenshot paused_later
expect_colour paused 380 38 255 212 43 # a letter of the sign, in the title bar
at_most "$(difference paused paused_later 0 0 800 600)" 0.002 "the game moved while paused"
key p
sleep 2.5
screenshot resumed
at_least "$(difference paused_later resumed 692 556 100 36)" 0.02 "the countdown stood still after resuming"
at_least "$(difference paused_later resumed 270 6 340 84)" 0.05 "the sign stayed after resuming"

# Full screen: the 960 by 720 picture centred between 160-pixel black bars, and back.
key F11
wait_until 5 window_is 1280x720 || fail "F11 did not fill the screen"
wait_frames
import -window root "$WORK/full.png"
for x in 20 1260; do
    expect_colour full "$x" 360 0 0 0
done
at_least "$(convert "$WORK/full.png" -crop 960x720+160+0 +repage -format '%[fx:mean]' info:)" 0.2 \
    "the picture in full screen"
key F11
wait_until 5 window_is 800x600 || fail "F11 did not bring the window back to 800x600"

key m
expect_esc_exit "after pausing and full screen"
[ "$(cat "$records")" = "not a records file" ] || fail "the damaged records file was changed"

settings="$XDG_CONFIG_HOME/gridlume/settings"
grep -qx "sound off" "$settings" || fail "M was not kept: $(cat "$settings" 2>&1)"
start_game "$SOURCE" "$BINARY" --relaxed
wait_frames
key m # sound back on, so it started off; and --relaxed is not kept
expect_esc_exit "after the second start"
grep -qx "sound on" "$settings" && grep -qx "relaxed off" "$settings" ||
    fail "the second run kept the wrong settings: $(cat "$settings")"
echo "PASS"
