#!/usr/bin/env bash
# A window put over the game and taken away again leaves the game's frame showing as before,
# pixel for pixel, standing still and paused at rest, when the game draws nothing new. With
# no window manager X keeps nothing of what a covered window showed, so the game must show
# its frame again. The clock is held still, so the paused frame does not change by itself.
. "$(dirname "$0")/lib.sh"
SHIM=${PLINT_FIXED_TIME:-$(dirname "$GAME")/libfixed_time.so}
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 # the shim loads first
start_xvfb
xdotool mousemove 320 240 # the window's centre, where the view does not turn
start_game env LD_PRELOAD="$SHIM" "$GAME"

# cover NAME: once the game holds still, a shot; another with xlogo over the whole game; then,
# once xlogo is gone, the game's frame must come back as it was. A busy machine slows the
# fade, so each step waits for what the screen shows.
covered() {
    screenshot "$1-covered"
    [ "$(differing "$1" "$1-covered")" -gt 100000 ]
}
shown_again() {
    screenshot "$1-after"
    [ "$(differing "$1" "$1-after")" = 0 ]
}
cover() {
    until_true 30 settled "$1" || fail "$1: the game does not hold still"
    xlogo -geometry 640x480+0+0 &
    local logo=$!
    until_true 20 xdotool search --name '^xlogo$' >/dev/null || fail "$1: xlogo did not open"
    until_true 20 covered "$1" || fail "$1: xlogo did not cover the game"
    kill "$logo" && wait "$logo" 2>/dev/null
    until_true 20 shown_again "$1" ||
        fail "$1: $(differing "$1" "$1-after") pixels differ from before the game was covered"
}
cover standing
press_key Escape
cover paused
echo "expose: the game shows its frame again, standing and paused"
