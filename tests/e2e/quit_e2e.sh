#!/bin/bash
# Every way out ends the real binary with status 0: Ctrl+Q, Alt+F4, and the window's close
# button, from the start screen and from play. Ordinary keys and F4 alone change nothing.
set -u
BINARY=$1
. "$(dirname "$0")/lib.sh"
trap stop_all EXIT
CLOSER="$(dirname "$(realpath "$BINARY")")/tests/gridlume_close_window"

DATA="$E2E_TMP/data"
mkdir -p "$DATA"
start_display

expect_running() {
    sleep 0.5
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after $1"
}

expect_clean_exit() {
    wait_exit
    local status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after $1"
}

start_game "$BINARY" "$DATA"
key a
key F4
key shift+F4
expect_running "plain keys"
key ctrl+q
expect_clean_exit "Ctrl+Q"

start_game "$BINARY" "$DATA"
click 400 300
click 400 300 # into play
expect_running "two clicks"
key alt+F4
expect_clean_exit "Alt+F4 in play"

start_game "$BINARY" "$DATA"
"$CLOSER" "$WINDOW"
expect_clean_exit "closing the window"
echo "quit: every way out ends with status 0"
