#!/bin/bash
# The real binary with broken data. First with no img/ and no sounds/ at all; then six games in
# which every picture and every wave file is broken, each in a different way per game, so that
# every picture is in turn empty, truncated, random bytes, of the other format than its name
# says, 1 by 1 and 4096 by 4096, and every wave file empty, truncated and not a wave file. Every
# game reaches play, draws, writes the log lines of what it could not load, and ends with
# status 0 on Esc.
#
# The lose picture is read only when a game is lost, about 70 s into play. Six games, one per
# way of breaking it, wait for that on a second display while the others run. They are kept
# stopped most of the time: their clock runs on regardless, so they lose on time, with frames of
# two seconds, and cost almost no processor time.
set -u
BINARY=$1
SOURCE=$2
HERE=$(dirname "$0")
. "$HERE/lib.sh"
. "$HERE/hostile_lib.sh"

BG_PIDS=()
BG_WINDOWS=()
DUTY_PID=""
BG_XVFB=""
cleanup() {
    [ -n "$DUTY_PID" ] && kill "$DUTY_PID" 2>/dev/null
    for pid in "${BG_PIDS[@]}"; do
        kill -CONT "$pid" 2>/dev/null
        kill "$pid" 2>/dev/null
    done
    [ -n "$BG_XVFB" ] && kill "$BG_XVFB" 2>/dev/null
    stop_all
}
trap cleanup EXIT

VARIANTS=(empty truncated random othertype tiny huge)
WAVE_VARIANTS=(empty truncated notwave)

# Noise that is the same on every run: compressed bytes of the binary itself.
head -c 200000 "$BINARY" | gzip -9n | head -c 6000 >"$E2E_TMP/noise"
convert -size 4096x4096 gradient:red-blue "$E2E_TMP/huge.jpg"
convert -size 4096x4096 gradient:red-blue PNG32:"$E2E_TMP/huge.png"

# break_picture FILE VARIANT
break_picture() {
    local file=$1 ext=${1##*.}
    case $2 in
    empty) : >"$file" ;;
    truncated)
        head -c $(($(stat -c %s "$file") / 3)) "$file" >"$file.cut"
        mv "$file.cut" "$file"
        ;;
    random) cp "$E2E_TMP/noise" "$file" ;;
    othertype)
        if [ "$ext" = jpg ]; then
            convert -size 64x48 xc:orange PNG32:"$file"
        else
            convert -size 64x48 xc:orange JPG:"$file"
        fi
        ;;
    tiny) convert -size 1x1 xc:'#2080ff' "${ext/png/PNG32}:$file" ;;
    huge) cp "$E2E_TMP/huge.$ext" "$file" ;;
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
    notwave) cp "$E2E_TMP/noise" "$1" ;;
    esac
}

# expect_picture_log OUT PICTURE VARIANT: one load line for the picture, the right one.
expect_picture_log() {
    local lines
    lines=$(grep -c "texture ./img/$2\$" "$1")
    [ "$lines" -eq 1 ] || fail "$2 ($3): $lines load lines"
    case $3 in
    empty | random | othertype) expect_line "$1" "Couldn't load texture ./img/$2" ;;
    tiny | huge) expect_line "$1" "Loaded texture ./img/$2" ;;
    esac
}

# ---- The lose picture, broken six ways, in games side by side on a second, larger display.
start_display
BG_XVFB=""
if started=$(new_display 2400x1200x24); then
    BG_XVFB=${started#* }
    BG_DISPLAY=":${started% *}"
fi
[ -n "$BG_XVFB" ] || fail "no second X display could be started"

bg_windows() {
    DISPLAY=$BG_DISPLAY xdotool search --name '^Gridlume$' 2>/dev/null | sort
}

for v in 0 1 2 3 4 5; do
    data="$E2E_TMP/lose$v"
    copy_data "$SOURCE" "$data"
    break_picture "$data/img/lose.jpg" "${VARIANTS[$v]}"
    before=$(bg_windows)
    (cd "$data" && DISPLAY=$BG_DISPLAY exec "$(realpath "$BINARY")") >"$E2E_TMP/lose$v.out" 2>&1 &
    BG_PIDS+=($!)
    window=""
    for _ in $(seq 1 300); do
        window=$(comm -13 <(echo "$before") <(bg_windows) | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "background game $v: no window"
    BG_WINDOWS+=("$window")
    DISPLAY=$BG_DISPLAY xdotool windowmove "$window" $((v % 3 * 800)) $((v / 3 * 600))
    sleep 0.2
    for _ in 1 2; do
        DISPLAY=$BG_DISPLAY xdotool mousemove --window "$window" 400 300 \
            mousedown 1 sleep 0.1 mouseup 1 sleep 0.3
    done
done
for v in 0 1 2 3 4 5; do
    for _ in $(seq 1 100); do
        grep -qF "Loaded Sound chain" "$E2E_TMP/lose$v.out" && break
        sleep 0.1
    done
    grep -qF "Loaded Sound chain" "$E2E_TMP/lose$v.out" || fail "background game $v: not in play"
done
(
    while :; do
        kill -STOP "${BG_PIDS[@]}" 2>/dev/null
        sleep 2
        kill -CONT "${BG_PIDS[@]}" 2>/dev/null
        sleep 0.1
    done
) &
DUTY_PID=$!

# ---- No data folders at all.
mkdir -p "$E2E_TMP/nothing"
start_game "$BINARY" "$E2E_TMP/nothing"
enter_play
sleep 1
screenshot nothing
expect_colour nothing 780 20 255 255 255 # the background, untextured
expect_colour nothing 700 150 51 204 0   # a square at light 80, untextured
expect_drawn nothing
expect_esc_exit "no data"
out="$E2E_TMP/game.out"
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
    data="$E2E_TMP/broken$k"
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
    start_game "$BINARY" "$data"
    enter_play
    deal_add_link
    sleep 0.3
    screenshot "broken$k"
    expect_drawn "broken$k"
    expect_esc_exit "broken data $k"
    out="$E2E_TMP/broken$k.out"
    cp "$E2E_TMP/game.out" "$out"
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

# ---- The lost games show their end screen with the broken lose picture.
kill "$DUTY_PID"
wait "$DUTY_PID" 2>/dev/null
DUTY_PID=""
kill -CONT "${BG_PIDS[@]}" 2>/dev/null
for v in 0 1 2 3 4 5; do
    out="$E2E_TMP/lose$v.out"
    for _ in $(seq 1 300); do
        grep -qF "texture ./img/lose.jpg" "$out" && break
        sleep 0.1
    done
    expect_picture_log "$out" lose.jpg "${VARIANTS[$v]}"
done
sleep 1
for v in 0 1 2 3 4 5; do
    out="$E2E_TMP/lose$v.out"
    window=${BG_WINDOWS[$v]}
    DISPLAY=$BG_DISPLAY import -window "$window" "$E2E_TMP/lose$v.png" 2>/dev/null ||
        fail "screenshot of background game $v"
    case ${VARIANTS[$v]} in
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
    DISPLAY=$BG_DISPLAY xdotool mousemove --window "$window" 400 300 key Escape
    pid=${BG_PIDS[$v]}
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || fail "background game $v: exit status $status after Esc"
    echo "lose picture ${VARIANTS[$v]}: end screen drawn, status 0"
done
BG_PIDS=()
echo "broken data: every game reached play, drew and ended with status 0"
