#!/usr/bin/env bash
# The frame shown larger on a 1920 x 1080 screen: --scale 2 opens a 1280 x 960 window that
# shows the 1x frame of the same moment with each pixel doubled; Alt+Enter fills the screen
# with the frame at 2x centred on black, F11 brings the window back; fullscreen, Escape
# pauses, the pointer lights "Resume game" and a click resumes; "Exit" ends with status 0.
# The clock is held still, so both runs carve the same maze and show the same time.
. "$(dirname "$0")/lib.sh"
SHIM=${PLINT_FIXED_TIME:-$(dirname "$GAME")/tests/libfixed_time.so}
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 # the shim loads first
XVFB_SIZE=1920x1080 start_xvfb

# same_as_1x SHOT REGION: the region of a shot shrunk by 2, one pixel of each 2 x 2 block
# (saved as SHOT-half), is the 1x frame pixel for pixel.
same_as_1x() {
    convert "$SHOTS/$1.png" -crop "$2" +repage -sample 50% "$SHOTS/$1-half.png" &&
        [ "$(differing one "$1-half")" = 0 ]
}
# Shots of the whole screen, whichever window SDL shows fullscreen, cut to SHOWN (the window
# at the top left corner, or the whole screen).
screenshot() {
    import -window root -crop "$SHOWN+0+0" +repage "$SHOTS/$1.png" || fail "screenshot $1 failed"
}
# on_black SHOT: nothing but black round the frame at 2x in the middle of the screen. The
# colours alone are weighed: ImageMagick 7 gives the drawn image an alpha channel, opaque.
on_black() {
    [ "$(convert "$SHOTS/$1.png" -fill black -draw 'rectangle 320,60 1599,1019' -alpha off \
        -format '%[fx:maxima]' info:)" = 0 ]
}

# The 1x frame, standing at the start with the pointer at the window's centre.
SHOWN=640x480
xdotool mousemove 320 240
start_game env LD_PRELOAD="$SHIM" "$GAME"
until_true 30 settled one || fail "1x: the game does not hold still"
closed_cleanly 1x 10

# The same moment at 2x: the pointer at the centre of the larger window is the frame's centre.
SHOWN=1280x960
xdotool mousemove 640 480
WINDOW_SIZE=1280x960 start_game env LD_PRELOAD="$SHIM" "$GAME" --scale 2
until_true 30 settled two 1280x960+0+0 || fail "2x: the game does not hold still"
same_as_1x two 1280x960+0+0 || fail "2x halved: $(differing one two-half) pixels differ from 1x"

# switch KEY...: presses the keys together. The game puts the pointer where it points at the
# same frame pixel in the new mode, so the view does not turn. Moves from there are relative:
# SDL 1.2's compatibility library follows only the mouse's motion on the whole screen.
switch() {
    xdotool $(printf 'keydown %s ' "$@") sleep 0.3 $(printf 'keyup %s ' "$@")
}
switch alt Return
in_fullscreen() {
    SHOWN=1920x1080
    screenshot full && same_as_1x full 1280x960+320+60 && on_black full
}
until_true 30 in_fullscreen || fail "Alt+Enter: the screen is not the 1x frame at 2x on black"

# Paused in fullscreen: "Resume game" (its middle at 320, 115 in the frame) lights under the
# pointer, compared left of where the pointer's cursor is drawn.
press_key Escape
xdotool mousemove_relative -- 0 260
until_true 30 settled paused-away 280x100+620+240 || fail "fullscreen: the menu does not hold still"
xdotool mousemove_relative -- 0 -510
lit() { screenshot paused-over && [ "$(differing paused-away paused-over 280x100+620+240)" -gt 500 ]; }
until_true 30 lit || fail "fullscreen: the pointer over \"Resume game\" does not light it"
click_left
xdotool mousemove_relative -- 0 250
resumed() { screenshot resumed && same_as_1x resumed 1280x960+320+60; }
until_true 30 resumed || fail "fullscreen: \"Resume game\" did not bring the world back as it stood"

# F11: the window at 2x again, showing the same frame.
switch F11
windowed() {
    SHOWN=1280x960
    xdotool getwindowgeometry "$WINDOW" | grep -q 'Geometry: 1280x960$' && screenshot back && same_as_1x back 1280x960+0+0
}
until_true 30 windowed || fail "F11: not the 1280 x 960 window with the 1x frame"

# "Exit" (at 320, 165 in the frame) from the menu in fullscreen.
switch F11
until_true 30 in_fullscreen || fail "F11 again: the screen is not the frame at 2x on black"
press_key Escape
until_true 30 settled menu 1280x960+320+60 || fail "fullscreen: the menu does not hold still"
xdotool mousemove_relative -- 0 -150
click_left
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "Exit in fullscreen: the game gave $GAME_STATUS"
! grep -q 'Sanitizer\|runtime error' "$SHOTS/game.log" || fail "2x: $(cat "$SHOTS/game.log")"
echo "scale_test: passed"
