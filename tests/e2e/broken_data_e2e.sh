#!/bin/bash
# The real binary with broken data. First with no img/ and no sounds/ at all; then six games in
# which every picture and every wave file is broken, each in a different way per game, so that
# every picture is in turn empty, truncated, random bytes, of the other format than its name
# says, 1 by 1 and 4096 by 4096, and every wave file empty, truncated and not a wave file. Every
# game reaches play, draws, writes the log lines of what it could not load, and ends with
# status 0 on Esc. Last, six games with the lose picture broken in each of the six ways, lost at
# once through the clock shim, whose end screens must show what could be read of it.
# GRIDLUME_TIMEWARP: the clock shim, tools/timewarp.c, built (ctest sets it).
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
game_arguments "$@"
use_timewarp

VARIANTS=(empty truncated random othertype tiny huge)
WAVE_VARIANTS=(empty truncated notwave)

# The pictures read on the way into play and by the first dealt pieces, and every sound.
PICTURES="splash.jpg instructions.jpg link.png motor.png gear.png bg.jpg square.jpg
lightbulb.png addlink.png"
WAVES="alarm good motor roll trash chain"

# copy_data SOURCE DEST: the game's own pictures and sounds, to be broken in DEST.
copy_data() {
    mkdir -p "$2"
    cp -r "$1/img" "$1/sounds" "$2/"
}

# Noise that is the same on every run: compressed bytes of the binary itself.
head -c 200000 "$BINARY" | gzip -9n >"$WORK/noise.gz"
head -c 6000 "$WORK/noise.gz" >"$WORK/noise"
convert -size 4096x4096 gradient:red-blue "$WORK/huge.jpg"
convert -size 4096x4096 gradient:red-blue PNG32:"$WORK/huge.png"

# break_picture FILE VARIANT
break_picture() {
    local file=$1 ext=${1##*.}
    case $2 in
    empty) : >"$file" ;;
    truncated)
        head -c $(($(stat -c %s "$file") / 3)) "$file" >"$file.cut"
        mv "$file.cut" "$file"
        ;;
    random) cp "$WORK/noise" "$file" ;;
    othertype)
        if [ "$ext" = jpg ]; then
            convert -size 64x48 xc:orange PNG32:"$file"
        else
            convert -size 64x48 xc:orange JPG:"$file"
        fi
        ;;
    tiny) convert -size 1x1 xc:'#2080ff' "${ext/png/PNG32}:$file" ;;
    huge) cp "$WORK/huge.$ext" "$file" ;;
    esac
}

# break_wave FILE VARIANT
break_wave() {
    case $2 in
    empty) : >"$1" ;;
    truncated)
        head -c $(($(stat -c %s "$1") / 2)) "$1" >"$1.cut"
        mv "$1.cut" "$1"
        ;;
    notwave) cp "$WORK/noise" "$1" ;;
    esac
}

# expect_picture_log OUT PICTURE VARIANT: one load line for the picture, the right one.
expect_picture_log() {
    local lines
    lines=$(grep -c "texture ./img/$2\$" "$1" || true)
    [ "$lines" -eq 1 ] || fail "$2 ($3): $lines load lines"
    case $3 in
    empty | random | othertype) expect_line "$1" "Couldn't load texture ./img/$2" ;;
    tiny | huge) expect_line "$1" "Loaded texture ./img/$2" ;;
    esac
}

start_display

# ---- No data folders at all.
mkdir -p "$WORK/nothing"
start_game "$WORK/nothing" "$BINARY"
enter_play
wait_frames
screenshot nothing
expect_colour nothing 780 20 255 255 255 # the background, untextured
expect_colour nothing 700 150 51 204 0   # a square at light 80, untextured
expect_drawn nothing
expect_esc_exit "no data"
out="$WORK/game.out"
for p in $PICTURES; do
    [ "$p" = addlink.png ] && continue # not dealt yet
    expect_line "$out" "Couldn't load texture ./img/$p"
done
expect_sound_log "$out"
for name in motor roll; do
    expect_line "$out" "ERROR: No sample associated with $name"
    expect_line "$out" "ERROR: Sample $name not found"
done

# ---- Every picture and wave file broken, a different way in each game.
for k in 0 1 2 3 4 5; do
    data="$WORK/broken$k"
    copy_data "$SOURCE" "$data"
    i=0
    for p in $PICTURES; do
        break_picture "$data/img/$p" "${VARIANTS[$(((i + k) % 6))]}"
        i=$((i + 1))
    done
    j=0
    for w in $WAVES; do
        break_wave "$data/sounds/$w.wav" "${WAVE_VARIANTS[$(((j + k) % 3))]}"
        j=$((j + 1))
    done
    start_game "$data" "$BINARY"
    enter_play
    deal_add_link
    wait_frames
    screenshot "broken$k"
    expect_drawn "broken$k"
    expect_esc_exit "broken data $k"
    out="$WORK/broken$k.out"
    cp "$WORK/game.out" "$out"
    i=0
    for p in $PICTURES; do
        expect_picture_log "$out" "$p" "${VARIANTS[$(((i + k) % 6))]}"
        i=$((i + 1))
    done
    expect_sound_log "$out"
    j=0
    for w in $WAVES; do
        variant=${WAVE_VARIANTS[$(((j + k) % 3))]}
        if [ "$variant" != truncated ] && { [ "$w" = motor ] || [ "$w" = roll ]; }; then
            expect_line "$out" "ERROR: No sample associated with $w"
        fi
        j=$((j + 1))
    done
    echo "broken data $k: in play, drawn, status 0"
done

# ---- The lose picture, read only when a game is lost: the clock moved a hundred seconds ahead
# in one frame darkens the board, and the end screen shows the picture, or the white untextured
# square where it could not be read.
for v in 0 1 2 3 4 5; do
    variant=${VARIANTS[$v]}
    data="$WORK/lose$v"
    copy_data "$SOURCE" "$data"
    break_picture "$data/img/lose.jpg" "$variant"
    warp_clock 0
    start_game "$data" "$BINARY"
    enter_play
    warp_clock 100000
    wait_for_output "texture ./img/lose.jpg"
    wait_frames
    out="$WORK/lose$v.out"
    cp "$WORK/game.out" "$out"
    expect_picture_log "$out" lose.jpg "$variant"
    screenshot "lose$v"
    case $variant in
    tiny) expect_colour "lose$v" 400 300 32 128 255 ;;
    huge) expect_drawn "lose$v" ;;
    *)
        # Unreadable, the picture leaves an untextured white square; read in part, a picture.
        if grep -qxF "Loaded texture ./img/lose.jpg" "$out"; then
            expect_drawn "lose$v"
        else
            expect_colour "lose$v" 400 300 255 255 255
        fi
        ;;
    esac
    expect_esc_exit "lose picture $variant"
    echo "lose picture $variant: end screen drawn, status 0"
done
echo "broken data: every game reached play, drew and ended with status 0"
