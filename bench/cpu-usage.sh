#!/usr/bin/env bash
# How much the real game costs to run, beside what an empty window costs. Under one Xvfb, each
# program runs in turn for the same seconds a state: the three floors of floor.cpp (a
# window that pumps and waits; that also flips; that also copies a whole frame), then each game
# standing still, walking and turning, and paused at rest. Prints each one's share of one core
# (user + system time from /proc) as a table with a column per game, and the games' peak
# resident memory. Give two builds to see an old and a new one side by side in one sitting:
#   bench/cpu-usage.sh [-s SECONDS a state, default 10] [-r ROUNDS, default 1] [GAME ...]
# GAME defaults to build/plint. With more rounds, each cell is the lowest and highest share.
cd "$(dirname "$0")/.." || exit 1
SECONDS_EACH=10
ROUNDS=1
while getopts s:r: option; do
    case $option in
    s) SECONDS_EACH=$OPTARG ;;
    r) ROUNDS=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || set -- build/plint
GAMES=("$@")
WORK=$(mktemp -d)
export PLINT_SHOTS=$WORK
. scripts/drive.sh "${GAMES[0]}"
trap 'cleanup; rm -rf "$WORK"' EXIT

# Every game carves the same maze (the fixed clock) and so walks the same way: a walk into a
# dead end costs more than one along a corridor.
HELPERS=$(build_helpers floor fixed_time) || fail "could not build the floor program and the fixed clock"
FLOOR=$HELPERS/bench/floor
start_xvfb

TICKS=$(getconf CLK_TCK)
declare -A SHARES # per "row|column": the shares measured, in percent
declare -A RSS    # per game (its index): its peak resident memory
ROWS=()

# The program's user + system time so far, in clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"
}

# measure ROW COLUMN: the share of one core over SECONDS_EACH seconds, kept in the table.
measure() {
    local ticks0 t0 share key="$1|$2"
    ticks0=$(cpu_ticks)
    t0=$(date +%s.%N)
    sleep "$SECONDS_EACH"
    share=$(awk -v t="$(($(cpu_ticks) - ticks0))" -v hz="$TICKS" -v t0="$t0" -v t1="$(date +%s.%N)" \
        'BEGIN { printf "%.1f", 100 * t / hz / (t1 - t0) }')
    [[ " ${ROWS[*]} " == *" $1 "* ]] || ROWS+=("$1")
    SHARES[$key]+=" $share"
}

# range ROW COLUMN: the share, or the lowest and highest of the rounds'.
range() {
    echo "${SHARES[$1|$2]}" | awk '{ low = high = $1
        for (i = 2; i <= NF; i++) { if ($i < low) low = $i; if ($i > high) high = $i }
        print (low == high ? low : low "-" high) "%" }'
}

stop_program() {
    kill "$GAME_PID" && wait "$GAME_PID" 2>/dev/null
    GAME_PID=""
}

measure_floor() {
    start_game "$FLOOR" "$1"
    sleep 1
    measure "floor: $2" floor
    stop_program
}

# measure_game N: the states of the Nth game given, kept in column N.
measure_game() {
    xdotool mousemove 320 240 # centred: standing still turns nothing
    start_game env LD_PRELOAD="$HELPERS/libfixed_time.so" "${GAMES[$1]}"
    move_pointer 320 240
    sleep 1
    measure standing "$1"

    xdotool keydown w
    move_pointer 400 240 # right of the centre: the view keeps turning
    measure "walking and turning" "$1"
    xdotool keyup w
    move_pointer 320 240

    press_key Escape
    move_pointer 330 120 # over "Resume game"
    sleep 1              # the fade takes 39 passes
    measure "paused" "$1"
    RSS[$1]=$(awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$GAME_PID/status")
    stop_program
}

for _ in $(seq 1 "$ROUNDS"); do
    measure_floor pump "pump, poll, wait"
    measure_floor flip "+ flip"
    measure_floor blit "+ one full-frame blit"
    for game in "${!GAMES[@]}"; do
        measure_game "$game"
    done
done

echo "share of one core, $SECONDS_EACH s a state, $ROUNDS round(s), one Xvfb 800x600x24:"
printf '%-28s' ""
printf ' %16s' "${GAMES[@]}"
echo
for row in "${ROWS[@]}"; do
    printf '%-28s' "$row"
    if [[ $row == floor:* ]]; then
        printf ' %16s' "$(range "$row" floor)"
    else
        for game in "${!GAMES[@]}"; do printf ' %16s' "$(range "$row" "$game")"; done
    fi
    echo
done
printf '%-28s' "peak RSS"
for game in "${!GAMES[@]}"; do printf ' %16s' "${RSS[$game]}"; done
echo
