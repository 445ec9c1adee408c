# Shared helpers for the end-to-end scripts: one Xvfb display, the game in it, screenshots and
# pixel probes. Source it; call start_display first and stop_all on exit.

E2E_TMP=$(mktemp -d /tmp/gridlume-e2e.XXXXXX)
DISPLAY_PID=""
GAME_PID=""

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

stop_all() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    [ -n "$DISPLAY_PID" ] && kill "$DISPLAY_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$E2E_TMP"
}

# new_display SIZE: starts an Xvfb of that screen size on a display number it picks itself
# (tests run side by side, and a number that looks free can be taken a moment later); prints
# "NUMBER PID".
new_display() {
    local fifo="$E2E_TMP/displayfd.$RANDOM" number="" pid
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    pid=$!
    read -r -t 20 number <"$fifo"
    rm -f "$fifo"
    [ -n "$number" ] || { kill "$pid" 2>/dev/null; return 1; }
    echo "$number $pid"
}

# Starts an Xvfb of our own and exports DISPLAY.
start_display() {
    local started
    started=$(new_display 1024x768x24) || fail "no X display could be started"
    DISPLAY_PID=${started#* }
    export DISPLAY=":${started% *}"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "the X display did not answer"
}

# start_game BINARY DIR: runs the game with DIR as its working directory, output to game.out.
start_game() {
    local binary
    binary=$(realpath "$1")
    (cd "$2" && exec "$binary") >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err" &
    GAME_PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --name '^Gridlume$' | head -n 1)
    [ -n "$WINDOW" ] || fail "the window did not appear"
    # Without a window manager the window sits one pixel off the screen's corner; bring it fully
    # onto the screen so that screenshots hold all of it.
    xdotool windowmove --sync "$WINDOW" 0 0 2>/dev/null || xdotool windowmove "$WINDOW" 0 0
    xdotool mousemove --window "$WINDOW" 400 300
}

# wait_for_output TEXT: until the game has written a line containing TEXT (10 s at most).
wait_for_output() {
    for _ in $(seq 1 100); do
        grep -qF "$1" "$E2E_TMP/game.out" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "the game never wrote '$1'"
}

# screenshot NAME: the game window as $E2E_TMP/NAME.png (800 by 600).
screenshot() {
    import -window "$WINDOW" "$E2E_TMP/$1.png" 2>/dev/null || fail "screenshot failed"
    if [ -n "${E2E_KEEP:-}" ]; then
        mkdir -p "$E2E_KEEP" && cp "$E2E_TMP/$1.png" "$E2E_KEEP/"
    fi
}

# pixel NAME X Y: prints the pixel as "r,g,b" with 0..255 components.
pixel() {
    convert "$E2E_TMP/$1.png" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# expect_colour NAME X Y R G B: the pixel is within 40 of the colour on every channel.
expect_colour() {
    local got r g b
    got=$(pixel "$1" "$2" "$3")
    IFS=, read -r r g b <<<"$got"
    for pair in "$r:$4" "$g:$5" "$b:$6"; do
        local a=${pair%%:*} e=${pair##*:}
        local d=$((a > e ? a - e : e - a))
        [ "$d" -le 40 ] || fail "$1 at ($2,$3) is $got, expected $4,$5,$6"
    done
}

# click X Y: a left press and release inside the window.
click() {
    xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.3
}

# key NAME: one key press with the pointer inside the window (focus follows the pointer).
key() {
    xdotool mousemove --window "$WINDOW" 400 300 key "$1"
}

# wait_exit: the game's exit status once it has ended (10 s at most), or fails.
wait_exit() {
    for _ in $(seq 1 100); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            local status=$?
            GAME_PID=""
            return $status
        fi
        sleep 0.1
    done
    fail "the game did not end"
}

# difference NAME1 NAME2 X Y W H: how different two screenshots are inside a box, 0 (same) to 1.
difference() {
    convert "$E2E_TMP/$1.png" -crop "$5x$6+$3+$4" +repage "$E2E_TMP/crop-a.png"
    convert "$E2E_TMP/$2.png" -crop "$5x$6+$3+$4" +repage "$E2E_TMP/crop-b.png"
    compare -metric RMSE "$E2E_TMP/crop-a.png" "$E2E_TMP/crop-b.png" null: 2>&1 |
        sed -n 's/.*(\(.*\)).*/\1/p'
}

# at_least VALUE LIMIT WHAT: fails unless VALUE >= LIMIT (decimal numbers).
at_least() {
    awk -v v="$1" -v l="$2" 'BEGIN { exit !(v >= l) }' || fail "$3: $1 is below $2"
}

# at_most VALUE LIMIT WHAT: fails unless VALUE <= LIMIT.
at_most() {
    awk -v v="$1" -v l="$2" 'BEGIN { exit !(v <= l) }' || fail "$3: $1 is above $2"
}

# yellow_rows NAME X Y0 Y1: the middle row of the yellowish pixels in column X between rows Y0
# and Y1 (the bulb icon on a dealt piece), or nothing.
yellow_rows() {
    convert "$E2E_TMP/$1.png" -crop "1x$(($4 - $3))+$2+$3" +repage -depth 8 txt:- |
        awk -F'[,:() ]+' -v y0="$3" '
            /^[0-9]/ { r = $3; g = $4; b = $5
                       if (r > 170 && g > 120 && b < 110) { sum += $2; n++ } }
            END { if (n > 0) print int(y0 + sum / n) }'
}

# grab_dealt_piece [MIN_ROW]: presses on the dealt piece rolling down the chute and pulls it out
# to the right; the button stays down. How far the piece has rolled depends on how long building
# the game took, so it is found by its bulb in a quick capture, and the press leads it by the
# distance it rolls (76.4 units a second) while the capture is read. Pieces above MIN_ROW are
# left to grow first. A miss changes nothing, so it tries again, at least 0.5 s apart so that
# no two presses make a double press.
grab_dealt_piece() {
    local attempt row taken lead min=${1:-0}
    for attempt in 1 2 3 4 5 6 7 8; do
        taken=$(date +%s%N)
        xwd -id "$WINDOW" -silent >"$E2E_TMP/chute.xwd"
        convert "xwd:$E2E_TMP/chute.xwd" "$E2E_TMP/chute.png"
        row=$(yellow_rows chute 50 60 470)
        if [ -n "$row" ] && [ "$row" -ge "$min" ] && [ "$row" -lt 400 ]; then
            lead=$(( ($(date +%s%N) - taken) * 764 / 10000000000 + 4 ))
            xdotool mousemove --window "$WINDOW" 50 $((row + lead)) mousedown 1
            xdotool mousemove --window "$WINDOW" 150 $((row + lead))
            sleep 0.3
            screenshot grabbed
            if [ -n "$(yellow_rows grabbed 150 $((row + lead - 45)) $((row + lead + 45)))" ]; then
                GRAB_X=150
                GRAB_Y=$((row + lead))
                return 0
            fi
            xdotool mouseup 1
        fi
        sleep 0.6
    done
    fail "could not pick up a dealt piece"
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

# grey_row NAME X Y0 Y1: the first row between Y0 and Y1 in column X where the picture is a
# neutral grey (the chain's links over the green board), or nothing.
grey_row() {
    convert "$E2E_TMP/$1.png" -crop "1x$(($4 - $3))+$2+$3" +repage -depth 8 txt:- |
        awk -F'[,:() ]+' -v y0="$3" '
            /^[0-9]/ { r = $3; g = $4; b = $5; lo = r; hi = r
                       if (g < lo) lo = g; if (b < lo) lo = b; if (g > hi) hi = g; if (b > hi) hi = b
                       if (hi - lo < 30 && hi > 80) { print y0 + $2; exit } }'
}
