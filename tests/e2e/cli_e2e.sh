#!/bin/bash
# The program as a Linux user meets it: --help, --version and a wrong option without any display;
# the data folder found from / through --data, and a clear word when none holds the pictures or
# the OpenGL is too old for them; a window asked for at 1366 by 700 fitted to a 1024 by 768
# screen; frames paced (about 10 a second on the splash, at most about 120 in play) unless
# --uncapped. Loose bounds: the machine is shared.
# Usage: cli_e2e.sh <path-to-built-gridlume> <source-dir>
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
. "$(dirname "$0")/../../tools/perf/probe.sh"
game_arguments "$@"
need_tools xdotool
need_file GRIDLUME_FRAME_PROBE
need_file GRIDLUME_LAUNCH

# Without a display.
(
    unset DISPLAY
    "$BINARY" --help >"$WORK/help.txt" || fail "--help ended with status $?"
    "$BINARY" --version >"$WORK/version.txt" || fail "--version ended with status $?"
    status=0
    "$BINARY" --frobnicate 2>"$WORK/unknown.txt" || status=$?
    [ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
    # A replay is checked without a display, by the name given from any folder; a damaged or
    # foreign one, or none, is refused with its reason before any window would open.
    (cd "$SOURCE/tests/app/replays" && ALSOFT_DRIVERS=null "$BINARY" --data "$SOURCE" \
        --verify-replay chaos-lost.gridlume-replay >"$WORK/verify.txt") ||
        fail "a recorded game did not verify: $(tail -n 4 "$WORK/verify.txt")"
    head -c 2000 "$SOURCE/img/splash.jpg" >"$WORK/foreign.gridlume-replay"
    head -c 300 "$SOURCE/tests/app/replays/chaos-lost.gridlume-replay" >"$WORK/cut.gridlume-replay"
    for damaged in foreign cut missing; do
        for option in --verify-replay --replay; do
            status=0
            "$BINARY" "$option" "$WORK/$damaged.gridlume-replay" 2>"$WORK/refused.txt" || status=$?
            [ "$status" -eq 2 ] && grep -q "^gridlume: .*$damaged.gridlume-replay: " "$WORK/refused.txt" ||
                fail "$option with a $damaged file: status $status, $(cat "$WORK/refused.txt")"
        done
    done
)
for option in --fullscreen --window --mute --data --uncapped --relaxed --no-hints --replay \
    --verify-replay -geometry P M H F11; do
    grep -qF -- "$option" "$WORK/help.txt" || fail "--help does not mention $option"
done
grep -qx 'gridlume [0-9][0-9.]*' "$WORK/version.txt" || fail "--version printed $(cat "$WORK/version.txt")"
[ "$(cat "$WORK/unknown.txt")" = "gridlume: unknown option '--frobnicate' (try --help)" ] ||
    fail "an unknown option said: $(cat "$WORK/unknown.txt")"

start_display 1024x768x24

# From / with --data, asking for a window taller than the screen would allow at 4:3.
start_game / "$BINARY" --data "$SOURCE" -geometry 1366x700
wait_for_output "Loaded texture ./img/splash.jpg"
wait_until 5 window_is 1024x768 || fail "a 1366x700 window on a 1024x768 screen is not 1024x768"
expect_esc_exit "started from / with --data"

# From / without, on an OpenGL as old as Windows' own software one (1.1, no pictures of any
# size): the game says where it looked and what the OpenGL lacks, and runs without its pictures.
start_game / env MESA_GL_VERSION_OVERRIDE=1.1 \
    MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_non_power_of_two "$BINARY"
wait_for_output "Couldn't load texture ./img/splash.jpg"
grep -q "^gridlume: no game pictures found (looked in \./img, " "$WORK/game.err" ||
    fail "no clear word of the missing pictures$(game_errors)"
grep -q "^gridlume: this OpenGL is too old to show the game's pictures" "$WORK/game.err" ||
    fail "no word of the old OpenGL$(game_errors)"
expect_esc_exit "started from / without its data"

# fps_of [OPTION]: frames per second on the splash (over 2 s) and in play (over 3 s), in SPLASH
# and PLAY.
fps_of() {
    start_game "$SOURCE" env "GRIDLUME_PROBE_LOG=$WORK/game.log" "LD_PRELOAD=$GRIDLUME_FRAME_PROBE" \
        "$GRIDLUME_LAUNCH" "$BINARY" "$@"
    probe_wait game swap 1
    sleep 2.6
    read -r SPLASH _ <<<"$(probe_fps game 0.5 2)"
    click 400 300
    click 400 300
    probe_wait game release 2
    sleep 3.7
    read -r PLAY _ <<<"$(probe_fps game 0.5 3 2)"
    expect_esc_exit "counting frames $*"
}

fps_of
echo "paced: $SPLASH frames per second on the splash, $PLAY in play"
# Nobody touches the splash, so it is drawn again only once a second.
at_most "$SPLASH" 3 "frames per second on the untouched splash"
at_most "$PLAY" 132 "frames per second in play"
# Uncapped, the splash runs as fast as the renderer lets it: on a busy machine that may be only a
# few dozen frames a second, but never the paced one. (In play the software renderer stays below
# the cap of 120 either way, so only the cap itself is checked there.)
fps_of --uncapped
echo "uncapped: $SPLASH frames per second on the splash, $PLAY in play"
at_least "$SPLASH" 6 "frames per second on the splash with --uncapped"
echo "PASS"
