# The frame probe's report for the perf scripts and the frame counts of cli_e2e.sh: games and
# drawing loops run under tools/perf/frame_probe.c, whose log lines give frames per second,
# start-up times and the processor time they took; and the tables they are printed in. Sourced
# after tools/lib.sh.

# probe_run NAME DIR PROGRAM [ARG...]: starts PROGRAM in DIR under the frame probe
# (tools/perf/frame_probe.c) through the launcher that notes the moment of launch; the probe's log
# is $WORK/NAME.log. Sets LAUNCHED.
probe_run() {
    local name=$1 dir=$2
    shift 2
    rm -f "$WORK/$name.log"
    launch "$name" "$dir" env "GRIDLUME_PROBE_LOG=$WORK/$name.log" \
        "LD_PRELOAD=$GRIDLUME_FRAME_PROBE" "$GRIDLUME_LAUNCH" "$@"
}

# probe_count NAME KIND COUNT: the probe's log holds COUNT lines of KIND or more.
probe_count() {
    local n
    n=$(grep -c "^$2 " "$WORK/$1.log" 2>/dev/null) || true
    [ "${n:-0}" -ge "$3" ]
}

# probe_wait NAME KIND COUNT [SECONDS]: until the log holds COUNT lines of KIND (20 s at most).
probe_wait() {
    wait_until "${4:-20}" probe_count "$1" "$2" "$3" || fail "$1 never logged $3 '$2' lines"
}

# probe_play: the game under the probe (its log "game"), clicked past the two start pictures into
# play once it has drawn its first frame; sets GAME_PID and WINDOW.
probe_play() {
    need_file GRIDLUME_FRAME_PROBE
    need_file GRIDLUME_LAUNCH
    start_game "$ROOT" env "GRIDLUME_PROBE_LOG=$WORK/game.log" \
        "LD_PRELOAD=$GRIDLUME_FRAME_PROBE" "$GRIDLUME_LAUNCH" "$GRIDLUME_BINARY" "$@"
    probe_wait game swap 1
    sleep 0.5
    click 400 300
    sleep 0.2
    click 400 300
    probe_wait game release 2
}

# probe_fps NAME FROM SECONDS [RELEASES]: "FPS CPU_MS" over SECONDS, starting FROM seconds after
# the first swap that follows RELEASES button releases (default 0): the frames per second, and the
# CPU time the program used per frame (all its threads) over the same frames.
probe_fps() {
    awk -v from="$2" -v span="$3" -v after="${4:-0}" '
        $1 == "release" { releases++ }
        $1 == "swap" && releases >= after {
            if (!start) start = $2
            t = ($2 - start) / 1e9
            if (t >= from && t < from + span) {
                if (!n) cpu0 = $3
                n++
                cpu1 = $3
            }
        }
        END { printf "%.1f %.2f\n", n / span, (n > 1 ? (cpu1 - cpu0) / (n - 1) / 1e6 : 0) }' \
        "$WORK/$1.log"
}

# cpu_ticks PID: CPU time a process has used so far, in clock ticks (user + system).
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0
}

# load_average: the one-minute load average.
load_average() {
    cut -d' ' -f1 /proc/loadavg
}

# table_row FIRST VALUE...: one row of a table of figures, the first column left-aligned.
table_row() {
    printf "%-6s" "$1"
    shift
    printf " %9s" "$@"
    echo
}

# median: the median of the numbers on standard input, one per line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                        else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
