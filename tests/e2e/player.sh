# The end-to-end games' player, which knows the game only from its screen and its log: it reads
# screenshots (colours, differences, the bulbs of dealt pieces, the chain's grey links), plays
# into play, deals and drags pieces, and checks the log lines the games share. Sourced after
# tools/lib.sh, whose game ($WINDOW, $WORK/game.out) it plays.

# ---- Reading the screen ------------------------------------------------------------------------

# expect_colour NAME X Y R G B: the pixel is within 40 of the colour on every channel.
expect_colour() {
    local got r g b pair p="p{$2,$3}"
    got=$(convert "$WORK/$1.png" \
        -format "%[fx:int(255*$p.r)],%[fx:int(255*$p.g)],%[fx:int(255*$p.b)]" info:)
    IFS=, read -r r g b <<<"$got"
    for pair in "$r:$4" "$g:$5" "$b:$6"; do
        local a=${pair%%:*} e=${pair##*:}
        local d=$((a > e ? a - e : e - a))
        [ "$d" -le 40 ] || fail "$1 at ($2,$3) is $got, expected $4,$5,$6"
    done
}

# expect_drawn NAME: the screenshot shows a drawn frame (three colours or more), not a plain
# cleared window.
expect_drawn() {
    local n
    n=$(convert "$WORK/$1.png" -format %k info:)
    [ "$n" -ge 3 ] || fail "$1 holds only $n colours"
}

# difference NAME1 NAME2 X Y W H: how different two screenshots are inside a box, 0 (same) to 1.
difference() {
    convert "$WORK/$1.png" -crop "$5x$6+$3+$4" +repage "$WORK/crop-a.png"
    convert "$WORK/$2.png" -crop "$5x$6+$3+$4" +repage "$WORK/crop-b.png"
    rmse "$WORK/crop-a.png" "$WORK/crop-b.png"
}

# rmse PICTURE1 PICTURE2: root mean square difference of two pictures of one size, 0 to 1.
rmse() {
    { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}

# at_least VALUE LIMIT WHAT: fails unless VALUE >= LIMIT (decimal numbers).
at_least() {
    awk -v v="$1" -v l="$2" 'BEGIN { exit !(v >= l) }' || fail "$3: $1 is below $2"
}

# at_most VALUE LIMIT WHAT: fails unless VALUE <= LIMIT.
at_most() {
    awk -v v="$1" -v l="$2" 'BEGIN { exit !(v <= l) }' || fail "$3: $1 is above $2"
}

# column_pixels NAME X Y0 Y1: the pixels of column X from row Y0 to Y1 as "ROW R G B" lines.
column_pixels() {
    convert "$WORK/$1.png" -crop "1x$(($4 - $3))+$2+$3" +repage -depth 8 txt:- |
        awk -F'[,:() ]+' -v y0="$3" '/^[0-9]/ { print y0 + $2, $3, $4, $5 }'
}

# yellow_rows NAME X Y0 Y1: the middle row of the yellowish pixels in column X between rows Y0
# and Y1 (the bulb icon on a dealt piece), or nothing.
yellow_rows() {
    column_pixels "$@" |
        awk '$2 > 170 && $3 > 120 && $4 < 110 { sum += $1; n++ }
             END { if (n > 0) print int(sum / n) }'
}

# grey_row NAME X Y0 Y1: the first row between Y0 and Y1 in column X where the picture is a
# neutral grey (the chain's links over the green board), or nothing.
grey_row() {
    column_pixels "$@" |
        awk '!found { lo = $2; hi = $2
                      if ($3 < lo) lo = $3; if ($4 < lo) lo = $4
                      if ($3 > hi) hi = $3; if ($4 > hi) hi = $4
                      if (hi - lo < 30 && hi > 80) { print $1; found = 1 } }'
}

# ---- Play --------------------------------------------------------------------------------------

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
# by default the board's top right corner, away from the chain; (10, 515) is the bin. Untouched
# pieces roll into the bin and are replaced anyway, the third after about 11 seconds.
deal_add_link() {
    wait_until --every 0.4 25 drag_chute_to "${1:-700}" "${2:-150}" ||
        fail "the game never wrote 'texture ./img/addlink.png'$(game_errors)"
}

# drag_chute_to X Y: true once the add-link piece was dealt; else drags from all along the chute.
drag_chute_to() {
    local y
    grep -qF "texture ./img/addlink.png" "$WORK/game.out" && return 0
    for y in 100 150 200 250 300 350 400 450; do
        xdotool mousemove --window "$WINDOW" 50 "$y" mousedown 1 \
            mousemove --window "$WINDOW" "$1" "$2" mouseup 1
        sleep 0.08
    done
    return 1
}

# grab_dealt_piece [MIN_ROW]: presses on the dealt piece rolling down the chute and pulls it out
# to the right; the button stays down. How far the piece has rolled depends on how long building
# the game took, so it is found by its bulb in a quick capture, and the press leads it by the
# distance it rolls (76.4 units a second) while the capture is read. Pieces above MIN_ROW are
# left to grow first. A miss changes nothing, so it tries again, at least 0.5 s apart so that
# no two presses make a double press. Sets GRAB_X and GRAB_Y.
grab_dealt_piece() {
    wait_until --every 0.6 15 grab_once "${1:-0}" || fail "could not pick up a dealt piece"
}

grab_once() {
    local row taken lead
    taken=$(date +%s%N)
    xwd -id "$WINDOW" -silent >"$WORK/chute.xwd"
    convert "xwd:$WORK/chute.xwd" "$WORK/chute.png"
    row=$(yellow_rows chute 50 60 470)
    [ -n "$row" ] && [ "$row" -ge "$1" ] && [ "$row" -lt 400 ] || return 1
    lead=$((($(date +%s%N) - taken) * 764 / 10000000000 + 4))
    xdotool mousemove --window "$WINDOW" 50 $((row + lead)) mousedown 1
    xdotool mousemove --window "$WINDOW" 150 $((row + lead))
    wait_frames
    screenshot grabbed
    if [ -n "$(yellow_rows grabbed 150 $((row + lead - 45)) $((row + lead + 45)))" ]; then
        GRAB_X=150
        GRAB_Y=$((row + lead))
        return 0
    fi
    xdotool mouseup 1
    return 1
}

# drag_to X Y: moves the held piece there in a few steps and releases the button.
drag_to() {
    local step
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --window "$WINDOW" $((GRAB_X + step * ($1 - GRAB_X) / 8)) \
            $((GRAB_Y + step * ($2 - GRAB_Y) / 8))
        sleep 0.05
    done
    xdotool mouseup 1
}

# place_on_chain NAME: drops the grabbed piece onto the chain where it runs from the motor
# towards the first gear, found in screenshot NAME; the piece's circle then holds joints, which
# the next step pushes onto its rim, and the moving chain turns it. Sets PLACED_X and PLACED_Y.
place_on_chain() {
    local x y
    for x in 260 280 240 300 220; do
        y=$(grey_row "$1" "$x" 330 520)
        if [ -n "$y" ]; then
            PLACED_X=$x PLACED_Y=$y
            drag_to "$x" "$y"
            return 0
        fi
    done
    return 1
}

# ---- The game's log ----------------------------------------------------------------------------

# expect_line FILE TEXT: FILE holds a line that is exactly TEXT.
expect_line() {
    grep -qxF "$2" "$1" || fail "$(basename "$1") lacks the line '$2'"
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
