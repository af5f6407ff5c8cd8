#!/usr/bin/env bash
# How much the real game costs to run, beside what an empty window costs. Under one Xvfb, each
# program runs in turn for the same seconds a state: the three floors of floor.cpp (a
# window that pumps and waits; that also flips; that also copies a whole frame), then each game
# standing still, walking and turning, and paused at rest. Prints each one's share of one core
# (user + system time from /proc) as a table with a column per game, and the games' peak
# resident memory. Give two builds to see an old and a new one side by side in one sitting:
#   bench/cpu-usage.sh [-s SECONDS a state, default 10] [-r ROUNDS, default 1]
#                      [-v VIEWS, default 1x] [GAME ...]
# GAME defaults to build/plint. With more rounds, each cell is the lowest and highest share.
# VIEWS is a list of "1x", "2x" (--scale 2) and "full" (--fullscreen, on the 1920 x 1080
# screen: the frame at 2x centred), such as "1x 2x full"; each has floors of its own size.
# Under the compatibility library (LD_LIBRARY_PATH), "lib2x" has the library scale instead.
cd "$(dirname "$0")/.." || exit 1
SECONDS_EACH=10
ROUNDS=1
VIEWS=1x
while getopts s:r:v: option; do
    case $option in
    s) SECONDS_EACH=$OPTARG ;;
    r) ROUNDS=$OPTARG ;;
    v) VIEWS=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || set -- build/plint
GAMES=("$@")
PLINT_SHOTS=scratch . scripts/drive.sh "${GAMES[0]}"

# Every game carves the same maze (the fixed clock) and so walks the same way: a walk into a
# dead end costs more than one along a corridor.
HELPERS=$(build_helpers floor fixed_time) || fail "could not build the floor program and the fixed clock"
FLOOR=$HELPERS/bench/floor
XVFB_SIZE=1920x1080 start_xvfb

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

# view NAME: the options, window size, scale and the frame's top left corner on the screen of
# one view (the window opens at the screen's top left corner). "lib2x" is the plain game with
# SDL 1.2's compatibility library scaling its window itself (run under that library).
view() {
    unset SDL12COMPAT_WINDOW_SCALING SDL12COMPAT_SCALE_METHOD
    case $1 in
    1x) OPTIONS=() SIZE=640x480 SCALE=1 LEFT=0 TOP=0 ;;
    2x) OPTIONS=(--scale 2) SIZE=1280x960 SCALE=2 LEFT=0 TOP=0 ;;
    full) OPTIONS=(--fullscreen) SIZE=1920x1080 SCALE=2 LEFT=320 TOP=60 ;;
    lib2x)
        OPTIONS=() SIZE=1280x960 SCALE=2 LEFT=0 TOP=0
        export SDL12COMPAT_WINDOW_SCALING=2 SDL12COMPAT_SCALE_METHOD=nearest
        ;;
    *) fail "no view $1: 1x, 2x, full or lib2x" ;;
    esac
}

# point X Y: the pointer to (X, Y) in the frame's pixels, by a relative move from where it
# was put last: fullscreen, the compatibility library follows only the mouse's motion.
point() {
    local x=$((LEFT + SCALE * $1)) y=$((TOP + SCALE * $2))
    xdotool mousemove_relative -- $((x - PX)) $((y - PY))
    PX=$x PY=$y
}

# centre: before a program starts, the pointer at the centre of the frame it will show
# (where the game puts it itself when it starts fullscreen).
centre() {
    PX=$((LEFT + SCALE * 320)) PY=$((TOP + SCALE * 240))
    xdotool mousemove "$PX" "$PY"
}

measure_floor() {
    centre
    WINDOW_SIZE=$SIZE start_game "$FLOOR" "$1" "${OPTIONS[@]}"
    sleep 1
    measure "floor: $2, $VIEW" floor
    stop_program
}

# measure_game N: the states of the Nth game given, kept in column N.
measure_game() {
    centre # standing still turns nothing
    WINDOW_SIZE=$SIZE start_game env LD_PRELOAD="$HELPERS/libfixed_time.so" "${GAMES[$1]}" "${OPTIONS[@]}"
    point 320 240
    sleep 1
    measure "standing, $VIEW" "$1"

    xdotool keydown w
    point 400 240 # right of the centre: the view keeps turning
    measure "walking and turning, $VIEW" "$1"
    xdotool keyup w
    point 320 240

    press_key Escape
    point 330 120 # over "Resume game"
    sleep 1       # the fade takes 39 passes
    measure "paused, $VIEW" "$1"
    RSS[$1]=$(awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$GAME_PID/status")
    stop_program
}

for _ in $(seq 1 "$ROUNDS"); do
    for VIEW in $VIEWS; do
        view "$VIEW"
        measure_floor pump "pump, poll, wait"
        measure_floor flip "+ flip"
        measure_floor blit "+ one full-frame blit"
        for game in "${!GAMES[@]}"; do
            measure_game "$game"
        done
    done
done

echo "share of one core, $SECONDS_EACH s a state, $ROUNDS round(s), one Xvfb 1920x1080x24:"
printf '%-36s' ""
printf ' %16s' "${GAMES[@]}"
echo
for row in "${ROWS[@]}"; do
    printf '%-36s' "$row"
    if [[ $row == floor:* ]]; then
        printf ' %16s' "$(range "$row" floor)"
    else
        for game in "${!GAMES[@]}"; do printf ' %16s' "$(range "$row" "$game")"; done
    fi
    echo
done
printf '%-36s' "peak RSS"
for game in "${!GAMES[@]}"; do printf ' %16s' "${RSS[$game]}"; done
echo
