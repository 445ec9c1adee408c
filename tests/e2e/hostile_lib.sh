# Helpers for the scripts that run the real binary with broken data and in a hostile
# environment. Source it after lib.sh.

PICTURES="splash.jpg instructions.jpg link.png motor.png gear.png bg.jpg square.jpg
lightbulb.png addlink.png"
WAVES="alarm good motor roll trash chain"

# copy_data SOURCE DEST: the game's own pictures and sounds, to be broken in DEST.
copy_data() {
    mkdir -p "$2"
    cp -r "$1/img" "$1/sounds" "$2/"
}

# enter_play: from the splash picture through the instructions into play. Play has begun once
# the sound bank has loaded its last sound.
enter_play() {
    wait_for_output "texture ./img/splash.jpg"
    click 400 300
    click 400 300
    wait_for_output "Loaded Sound chain"
}

# deal_add_link [X Y]: the third dealt piece is the first add-link piece, and only its creation
# reads "./img/addlink.png". Dragging a dealt piece from the chute onto the board, or into the
# bin, deals the next one; a press that misses changes nothing. The pieces go to pixel (X, Y):
# by default the board's top right corner, away from the chain; (10, 515) is the bin. Gives up
# after a while: untouched pieces roll into the bin and are replaced anyway, the third after
# about 11 seconds.
deal_add_link() {
    local y
    for _ in $(seq 1 12); do
        grep -qF "texture ./img/addlink.png" "$E2E_TMP/game.out" && return 0
        for y in 100 150 200 250 300 350 400 450; do
            xdotool mousemove --window "$WINDOW" 50 "$y" mousedown 1 \
                mousemove --window "$WINDOW" "${1:-700}" "${2:-150}" mouseup 1
            sleep 0.08
        done
        sleep 0.4
    done
    wait_for_output "texture ./img/addlink.png"
}

# expect_sound_log OUT: the sound bank's six load lines, in order, as play begins; each is
# written whether or not its sample could be loaded.
expect_sound_log() {
    local expected="Loaded loop alarm
Loaded Sound good
Loaded loop motor
Loaded Sound roll
Loaded Sound trash
Loaded Sound chain"
    grep "^Loaded loop \|^Loaded Sound " "$1" | head -n 6 | diff <(printf '%s\n' "$expected") - ||
        fail "$(basename "$1"): sound load lines"
}

# colours NAME: how many different colours the screenshot holds.
colours() {
    convert "$E2E_TMP/$1.png" -format %k info:
}

# expect_drawn NAME: the screenshot shows a drawn frame, not a plain cleared window.
expect_drawn() {
    local n
    n=$(colours "$1")
    [ "$n" -ge 3 ] || fail "$1 holds only $n colours"
}

# expect_line FILE TEXT: FILE holds a line that is exactly TEXT.
expect_line() {
    grep -qxF "$2" "$1" || fail "$(basename "$1") lacks the line '$2'"
}

# expect_no_line FILE TEXT
expect_no_line() {
    ! grep -qxF "$2" "$1" || fail "$(basename "$1") has the line '$2'"
}

# expect_clean_exit WHAT: the game ends with status 0 after Esc.
expect_esc_exit() {
    key Escape
    wait_exit
    local status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after Esc ($1)"
}
