#!/usr/bin/env bash
# The game opens a 640 x 480 window titled "Plint" and closes, with status 0, when the
# window is asked to close as a window manager's close button does.
. "$(dirname "$0")/lib.sh"

start_xvfb
start_game

[ "$(xdotool getwindowname "$WINDOW")" = "Plint" ] || fail "window title is not Plint"
geometry=$(xwininfo -id "$WINDOW" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "640x480" ] || fail "window is $geometry, not 640x480"
screenshot window

"$XCLOSE" "$WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 1
[ "$GAME_STATUS" = "0" ] || fail "after the close request the game gave: $GAME_STATUS"
echo "window_test: passed"
