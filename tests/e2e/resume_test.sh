#!/usr/bin/env bash
# Pausing and resuming, with the real art: after "Resume game", and after a second Escape,
# the world comes back exactly where it stood, pixel for pixel. The pointer stays on the
# centre column during play, so the view does not turn.
. "$(dirname "$0")/lib.sh"

same_frame() { # SHOT SHOT WHAT
    local differ
    differ=$(differing "$1" "$2")
    [ "$differ" = "0" ] || fail "$3: $differ pixels differ between $1 and $2"
}

start_xvfb
start_game
move_pointer 320 240
press_key w 0.3 # a step into the maze, so the frame is not just the start view
sleep 0.3
screenshot before

press_key Escape
sleep 1.5
screenshot paused
[ "$(differing before paused)" != "0" ] || fail "Escape did not pause: the frame is unchanged"

move_pointer 320 115
sleep 0.1
click_left
sleep 1.5
move_pointer 320 240
sleep 0.2
screenshot after-resume
same_frame before after-resume "Resume game"

press_key Escape
sleep 1.5
press_key Escape
sleep 1.5
screenshot after-escape
same_frame before after-escape "Escape twice"

"$XCLOSE" "$WINDOW"
wait_for_exit 2
[ "$GAME_STATUS" = "0" ] || fail "closing the window gave: $GAME_STATUS"
echo "resume_test: passed"
