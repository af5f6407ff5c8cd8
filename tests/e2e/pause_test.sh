#!/usr/bin/env bash
# Escape freezes and frosts the view under the menu, the date, the clock, the cursor and the
# border; the frozen frame holds still; the button under the pointer lights up; "Exit" ends
# the game with status 0. In a second run, "Resume game" clicked while the menu slides in
# brings the world back, and "Exit" clicked while it slides out ends the game.
#
# The game runs in a scratch folder whose Media/Canopy holds flat single-colour stand-ins for
# the overlay's art, so each layer can be told by its colour at its exact place. The world's
# own images (Media/Game), if the repository has them, are linked in unchanged.
. "$(dirname "$0")/lib.sh"

GAME=$(realpath "$GAME")
PLAY=$(mktemp -d /tmp/plint-pause-XXXXXX)
trap 'cleanup; rm -rf "$PLAY"' EXIT
mkdir -p "$PLAY/Media/Canopy"
[ -d Media/Game ] && ln -s "$(realpath Media/Game)" "$PLAY/Media/Game"

FONT="255,0,255"   # every glyph cell a solid block
NORMAL="0,0,255"   # button sheet row 0
LIT="0,255,0"      # button sheet row 1, under the pointer
BAR="255,255,0"
CURSOR="255,0,0"   # frame 3 of the cursor sheet
BORDER="255,128,0" # a 4-pixel frame; the rest of the border image is cyan, so transparent

c=$PLAY/Media/Canopy
convert -size 1425x21 "xc:rgba($FONT,1)" "$c/Font.png"
convert -size 189x42 "xc:rgba($NORMAL,1)" -fill "rgba($LIT,1)" -draw "rectangle 0,21 188,41" \
    "$c/Button.png"
convert -size 640x131 "xc:rgb($BAR)" "$c/TopBottomBorder.png"
convert -size 1536x96 "xc:rgba(0,0,0,1)" -fill "rgba($CURSOR,1)" -draw "rectangle 288,0 383,95" \
    "$c/Cursor.png"
convert -size 640x480 "xc:rgb($BORDER)" -fill "rgb(0,255,255)" -draw "rectangle 4,4 635,475" \
    "$c/Border.png"

# lowest SHOT WxH+X+Y: the lowest of the red, green and blue minima over a region.
lowest() {
    convert "$SHOTS/$1.png" -crop "$2" +repage -format \
        "%[fx:int(255*min(minima.r,min(minima.g,minima.b))+0.5)]" info:
}

# Regions clear of the border, the bars, the menu, the texts and the cursor.
BACKDROP_REGIONS="100x150+30+220 100x150+510+220 200x30+220+380"

start_xvfb
cd "$PLAY"
start_game
move_pointer 320 300
sleep 0.3

press_key Escape
sleep 1.5 # 39 passes of 16 ms bring the fade to rest
screenshot paused
for region in $BACKDROP_REGIONS; do
    low=$(lowest paused "$region")
    [ "$low" -ge 100 ] || fail "paused: a channel of $low in $region; the washed-out frost has none below 100"
done
expect_pixel paused 160 100 "$NORMAL" "the Resume game frame"
expect_pixel paused 160 180 "$NORMAL" "the Exit frame"
expect_pixel paused 321 115 "$FONT" "the Resume game label"
expect_pixel paused 20 30 "$BAR" "the top bar"
expect_pixel paused 615 25 "$FONT" "the end of the date"
expect_pixel paused 615 45 "$FONT" "the end of the clock"
expect_pixel paused 20 470 "$BAR" "the bottom bar"
expect_pixel paused 25 450 "$FONT" "the credit line"
expect_pixel paused 320 300 "$CURSOR" "the cursor"
expect_pixel paused 2 240 "$BORDER" "the border"

sleep 1
screenshot paused-later
# Everything but the top bar's texts, which tick with the clock, must be the same frame.
for region in 640x419+0+61 300x61+0+0; do
    differ=$(differing paused paused-later "$region")
    [ "$differ" = "0" ] || fail "the frozen frame changed while paused: $differ pixels in $region"
done

move_pointer 320 165
sleep 0.2
screenshot exit-hover
expect_pixel exit-hover 160 180 "$LIT" "the Exit frame under the pointer"
expect_pixel exit-hover 160 100 "$NORMAL" "the Resume game frame"
click_left
wait_for_exit 3
[ "$GAME_STATUS" = "0" ] || fail "after Exit the game gave: $GAME_STATUS"

# Clicks every 30 ms or so for a second. Only a sliding button passes under y 140 (Resume
# game, for the last ten passes of sliding in) and under y 475 (Exit, for three passes early
# in sliding out, so that is tried up to three times).
clicks() {
    # shellcheck disable=SC2046 # one word per xdotool argument
    xdotool $(for _ in $(seq 33); do echo mousedown 1 sleep 0.02 mouseup 1 sleep 0.01; done)
}
start_game
move_pointer 320 140
sleep 0.3
screenshot before-slide
press_key Escape
clicks
sleep 1
screenshot after-slide-in
[ "$(differing before-slide after-slide-in)" = 0 ] || fail "Resume game while sliding in: the world is not back"
move_pointer 320 475
for _ in 1 2 3; do
    press_key Escape
    sleep 1.5
    press_key Escape
    clicks
    wait_for_exit 2
    [ "$GAME_STATUS" = running ] || break
done
[ "$GAME_STATUS" = "0" ] || fail "after Exit while sliding out the game gave: $GAME_STATUS"
echo "pause_test: passed"
