#!/usr/bin/env bash
# How much the real game costs to run: under Xvfb, a few seconds standing still, walking and
# turning, and paused, with the game's share of one core in each (user + system time from
# /proc) and its peak resident memory. Run from anywhere after a build:
#   tools/cpu-usage.sh [path/to/plint] [seconds per state, default 10]
cd "$(dirname "$0")/.."
SECONDS_EACH=${2:-10}
set -- "${1:-build/plint}"
PLINT_SHOTS=$(mktemp -d)
export PLINT_SHOTS
. tests/e2e/lib.sh

TICKS=$(getconf CLK_TCK)

# The game's user + system time so far, in clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"
}

# measure WHAT: the share of one core over SECONDS_EACH seconds, in percent.
measure() {
    local ticks0 ticks1 t0 t1
    ticks0=$(cpu_ticks)
    t0=$(date +%s.%N)
    sleep "$SECONDS_EACH"
    ticks1=$(cpu_ticks)
    t1=$(date +%s.%N)
    awk -v what="$1" -v t="$((ticks1 - ticks0))" -v hz="$TICKS" -v t0="$t0" -v t1="$t1" \
        'BEGIN { printf "%-20s %5.1f%%\n", what, 100 * t / hz / (t1 - t0) }'
}

start_xvfb
xdotool mousemove 320 240 # centred: standing still turns nothing
start_game
move_pointer 320 240
sleep 1

echo "share of one core over $SECONDS_EACH s each:"
measure "standing"

xdotool keydown w
move_pointer 400 240 # right of the centre: the view keeps turning
measure "walking and turning"
xdotool keyup w
move_pointer 320 240

press_key Escape
move_pointer 330 120 # over "Resume game"
sleep 1              # the fade takes 39 passes
measure "paused"

awk '/^VmHWM/ { printf "%-20s %5.1f MB\n", "peak RSS", $2 / 1024 }' "/proc/$GAME_PID/status"
rm -rf "$PLINT_SHOTS"
