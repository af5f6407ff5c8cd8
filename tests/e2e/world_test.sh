#!/usr/bin/env bash
# The real game shows the maze: the player's red dot in room (1, 1) of the minimap, a wall
# in the view; holding W walks the player up to the wall above the start (the other keys
# are the unit tests'); a pointer right of the centre turns the view; Escape freezes and
# frosts it; after "Resume game" and after Escape twice, the world comes back exactly where
# it stood; "Exit" ends the game with status 0. Where a click on a sliding button lands is
# the unit tests'.
. "$(dirname "$0")/lib.sh"

# dot_at NAME BOX: a new shot, saved as walk-NAME, has the dot's box in the minimap at BOX.
dot_at() { screenshot "walk-$1" && [ "$(dot "walk-$1")" = "$2" ]; }
# walk KEY BOX: holds a key (none for "start") until the dot's box is BOX.
walk() {
    [ "$1" = start ] || xdotool keydown "$1"
    local held=0
    until_true 60 dot_at "$1" "$2" || held=1
    [ "$1" = start ] || xdotool keyup "$1"
    [ $held = 0 ] || fail "after $1 the dot is at $(dot "walk-$1") in the minimap, not at $2"
}

start_xvfb
xdotool mousemove 320 240 # centred before the window opens, so nothing turns
start_game
move_pointer 320 240
sleep 0.3

walk start "$START_DOT"
maze_shown walk-start || fail "the minimap shows more than walls, open cells and the dot"
[ "$(pixel walk-start 320 240)" != "$(pixel walk-start 320 0)" ] || fail "no wall in the middle of the view"

# About 90 passes of W: the player stops 0.15 from the wall above, at Y 1.15, so the dot
# covers rows 374 to 377. Forward is 270 degrees converted with 0.0174532925, a hair short
# of 3 pi / 2, so each step also takes about 1e-10 cells off X: just below 1.5 the dot's
# corner truncates to column 426.
walk w 4x4+426+374

# Standing still, the view does not change; a moment with the pointer right of the centre
# turns it.
VIEW=600x340+20+20
until_true 30 settled turn-still "$VIEW" 100 || fail "the view keeps changing while standing still"
move_pointer 600 240
turning() { screenshot turning && [ "$(differing turn-still turning "$VIEW")" -gt 20000 ]; }
until_true 30 turning || fail "the pointer right of centre did not turn the view"
move_pointer 320 240
until_true 30 settled turn-after || fail "the view keeps turning with the pointer at the centre"

# Paused, the frozen view is frosted: washed out, no channel is below 100 where nothing of
# the overlay lies over it; and it holds still, but for the clock on the top bar.
press_key Escape
until_true 30 settled paused "$BELOW_TOP_BAR" || fail "the frozen frame below the top bar does not hold still"
frosted paused
move_pointer 320 115
click_left
move_pointer 320 240 # where the game draws the pointer in turn-after
until_true 30 shows turn-after after-resume || fail "Resume game: the world did not come back as it stood"
press_key Escape
until_true 30 settled menu-open "$BELOW_TOP_BAR" || fail "the opened menu does not hold still"
press_key Escape
until_true 30 shows turn-after after-escape || fail "Escape twice: the world did not come back as it stood"

press_key Escape
until_true 30 settled menu-open "$BELOW_TOP_BAR" || fail "the opened menu does not hold still"
move_pointer 320 165
click_left
wait_for_exit 5
[ "$GAME_STATUS" = "0" ] || fail "after Exit the game gave: $GAME_STATUS"
echo "world_test: passed"
