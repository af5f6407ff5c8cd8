#!/usr/bin/env bash
# The real game shows the maze: the player's red dot in room (1, 1) of the minimap, a wall
# in the view; holding W walks the player up to the wall above the start; A and the Left
# arrow step left to the outer wall, D and the Right arrow step right, S and the Down arrow
# back, the Up arrow forward to the wall again; a pointer right of the centre turns the
# view; Escape freezes and frosts it; after "Resume game" (at rest, and clicked while the
# menu slides in), and after Escape twice, the world comes back exactly where it stood;
# "Exit" clicked while the menu slides out ends the game.
. "$(dirname "$0")/lib.sh"

# walk KEY SECONDS TEST: holds a key (none for 0 seconds), then TEST holds on the red dot's
# box in the minimap: its width w, height h, left l and top t on the screen.
walk() {
    [ "$2" = 0 ] || press_key "$1" "$2"
    sleep 0.2
    screenshot "walk-$1"
    local box
    box=$(convert "$SHOTS/walk-$1.png" -crop 210x90+420+370 +repage -fill black \
        +opaque "rgb(255,0,0)" -format %@ info:)
    awk -F'[x+]' "{ w = \$1; h = \$2; l = 420 + \$3; t = 370 + \$4; exit !($3) }" <<<"$box" ||
        fail "after $1 the dot is at $box in the minimap, not where $3"
}

start_xvfb
xdotool mousemove 320 240 # centred before the window opens, so nothing turns
start_game
move_pointer 320 240
sleep 0.3

walk start 0 'w == 4 && h == 4 && l == 427 && t == 377'
[ "$(pixel walk-start 320 240)" != "$(pixel walk-start 320 0)" ] || fail "no wall in the middle of the view"

# About 90 passes of W: the player stops 0.15 from the wall above, at Y 1.15, so the dot
# covers rows 374 to 377. Forward is 270 degrees converted with 0.0174532925, a hair short
# of 3 pi / 2, so each step also takes about 1e-10 cells off X: just below 1.5 the dot's
# corner truncates to column 426.
walk w 1.5 'w == 4 && h == 4 && l == 426 && t == 374'

walk a 1.2 'l == 424 && t == 374' # X 1.15, against the outer wall
walk d 0.5 'l > 424 && t == 374'
walk Left 1.2 'l == 424 && t == 374'
walk Right 0.5 'l > 424 && t == 374'
walk s 0.5 't > 374'
walk Up 1.2 't == 374'
walk Down 0.5 't > 374'

# Standing still, the view does not change; a moment with the pointer right of the centre
# turns it.
VIEW=600x340+20+20
sleep 0.3
screenshot turn-still
still=$(differing walk-Down turn-still "$VIEW")
[ "$still" -lt 100 ] || fail "the view changed by $still pixels while standing still"
move_pointer 600 240
sleep 0.3
move_pointer 320 240
sleep 0.3
screenshot turn-after
turned=$(differing walk-Down turn-after "$VIEW")
[ "$turned" -gt 20000 ] || fail "the pointer right of centre did not turn the view ($turned pixels changed)"

same_frame() { # SHOT SHOT WHAT [REGION]
    local differ
    differ=$(differing "$1" "$2" "${4:-}")
    [ "$differ" = "0" ] || fail "$3: $differ pixels differ between $1 and $2"
}
# Paused, the frozen view is frosted: washed out, no channel is below 100 where nothing of
# the overlay lies over it; and it holds still, but for the clock on the top bar.
press_key Escape
sleep 1.5
screenshot paused
for region in 100x150+30+220 100x150+510+220 200x30+220+380; do
    low=$(convert "$SHOTS/paused.png" -crop "$region" +repage -format \
        "%[fx:int(255*min(minima.r,min(minima.g,minima.b))+0.5)]" info:)
    [ "$low" -ge 100 ] || fail "paused: a channel of $low in $region; the frost has none below 100"
done
sleep 1
screenshot paused-later
same_frame paused paused-later "the frozen frame below the top bar" 640x419+0+61
move_pointer 320 115
click_left
sleep 1.5
move_pointer 320 240
sleep 0.2
screenshot after-resume
same_frame turn-after after-resume "Resume game"
press_key Escape
sleep 1.5
press_key Escape
sleep 1.5
screenshot after-escape
same_frame turn-after after-escape "Escape twice"

# Clicks every 30 ms or so for a second. Only a sliding button passes under y 140 (Resume
# game, for the last ten passes of sliding in) and under y 475 (Exit, for three passes early
# in sliding out, so that is tried up to six times).
clicks() {
    # shellcheck disable=SC2046 # one word per xdotool argument
    xdotool $(for _ in $(seq 33); do echo mousedown 1 sleep 0.02 mouseup 1 sleep 0.01; done)
}
move_pointer 320 140
press_key Escape
clicks
sleep 1
move_pointer 320 240
sleep 0.2
screenshot after-slide-in
same_frame turn-after after-slide-in "Resume game while sliding in"
move_pointer 320 475
for _ in 1 2 3 4 5 6; do
    press_key Escape
    sleep 1.5
    press_key Escape
    clicks
    wait_for_exit 2
    [ "$GAME_STATUS" = running ] || break
done
[ "$GAME_STATUS" = "0" ] || fail "after Exit while sliding out the game gave: $GAME_STATUS"
echo "world_test: passed"
