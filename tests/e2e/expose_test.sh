#!/usr/bin/env bash
# A window put over the game and taken away again leaves the game's frame showing as before,
# pixel for pixel, standing still and paused at rest, when the game draws nothing new. With
# no window manager X keeps nothing of what a covered window showed, so the game must show
# its frame again. The clock is held still, so the paused frame does not change by itself.
. "$(dirname "$0")/lib.sh"
SHIM=${PLINT_FIXED_TIME:-$(dirname "$GAME")/tests/libfixed_time.so}
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 # the shim loads first
start_xvfb
xdotool mousemove 320 240 # the window's centre, where the view does not turn
start_game env LD_PRELOAD="$SHIM" "$GAME"

# cover NAME: a screenshot, another with xlogo over the whole game, a third once it is gone.
cover() {
    sleep 1
    screenshot "$1-before"
    xlogo -geometry 640x480+0+0 &
    local logo=$!
    until_true 20 xdotool search --name '^xlogo$' >/dev/null || fail "$1: xlogo did not open"
    sleep 1
    screenshot "$1-covered"
    [ "$(differing "$1-before" "$1-covered")" -gt 100000 ] || fail "$1: xlogo did not cover the game"
    kill "$logo" && wait "$logo" 2>/dev/null
    sleep 1
    screenshot "$1-after"
    local changed
    changed=$(differing "$1-before" "$1-after")
    [ "$changed" = 0 ] || fail "$1: $changed pixels differ from before the game was covered"
}

cover standing
press_key Escape
cover paused
echo "expose: the game shows its frame again, standing and paused"
