#!/bin/bash
# Every way out ends the real binary with status 0: Ctrl+Q, Alt+F4, and the window's close
# button, from the start screen and from play. Ordinary keys and F4 alone change nothing.
# GRIDLUME_CLOSE_WINDOW: tests/tools/close_window.cpp, built (ctest sets it).
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
game_arguments "$@"
need_file GRIDLUME_CLOSE_WINDOW

DATA="$WORK/data"
mkdir -p "$DATA"
start_display

start_game "$DATA" "$BINARY"
key a
key F4
key shift+F4
expect_running "after plain keys" 0.5
key ctrl+q
expect_exit "Ctrl+Q"

start_game "$DATA" "$BINARY"
click 400 300
click 400 300 # into play
expect_running "after two clicks" 0.5
key alt+F4
expect_exit "Alt+F4 in play"

start_game "$DATA" "$BINARY"
"$GRIDLUME_CLOSE_WINDOW" "$WINDOW"
expect_exit "closing the window"
echo "quit: every way out ends with status 0"
