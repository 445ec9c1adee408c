#!/bin/bash
# The real binary, with all its sounds in place, where no sound device can be opened: a driver
# that does not exist, a driver that exists but cannot open (the wave writer with no file), and
# no driver chosen at all on a machine with no sound server. The game loads its six sounds
# (each load writes its line, with nothing behind it), plays silently, reports every sound it
# cannot play, reaches play, draws, and ends with status 0 on Esc.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
game_arguments "$@"

# No sound server or configuration that OpenAL Soft or ALSA could find.
QUIET_HOME="$WORK/home"
mkdir -p "$QUIET_HOME/runtime"
: >"$WORK/empty.conf"
NO_SERVER=(HOME="$QUIET_HOME" XDG_RUNTIME_DIR="$QUIET_HOME/runtime"
    PULSE_SERVER="unix:$QUIET_HOME/no-such-socket" PULSE_RUNTIME_PATH="$QUIET_HOME/runtime"
    ALSA_CONFIG_PATH="$WORK/empty.conf" ALSOFT_CONF="$WORK/empty.conf")

# expect_no_line FILE TEXT
expect_no_line() {
    ! grep -qxF "$2" "$1" || fail "$(basename "$1") has the line '$2'"
}

# silent_game NAME ENV...: one game, its environment changed by env's arguments.
silent_game() {
    local name=$1
    shift
    start_game "$SOURCE" env "$@" "$BINARY"
    enter_play
    deal_add_link # every new piece plays "roll"
    wait_frames
    screenshot "$name"
    expect_drawn "$name"
    expect_esc_exit "$name"
    local out="$WORK/$name.out"
    cp "$WORK/game.out" "$out"
    expect_sound_log "$out"
    if [ "$name" = control ]; then
        expect_no_line "$out" "ERROR: No sample associated with motor"
        echo "control: the same sounds play when there is a device"
        return
    fi
    for sound in motor roll; do
        expect_line "$out" "ERROR: No sample associated with $sound"
        expect_line "$out" "ERROR: Sample $sound not found"
    done
    [ "$(grep -c '^ERROR: No sample associated with roll$' "$out")" -ge 3 ] ||
        fail "$name: fewer than three dealt pieces reported their silent roll"
    expect_line "$out" "Loaded texture ./img/bg.jpg"
    echo "$name: silent, in play, drawn, status 0"
}

start_display
silent_game control ALSOFT_DRIVERS=null
silent_game nosuchdriver ALSOFT_DRIVERS=nosuchdriver
silent_game wavewriter ALSOFT_DRIVERS=wave "${NO_SERVER[@]}"
silent_game noserver -u ALSOFT_DRIVERS "${NO_SERVER[@]}"
echo "no audio: every game played on without sound and ended with status 0"
