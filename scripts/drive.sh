# shellcheck shell=bash disable=SC2034 # what is set here is read by the scripts that source it
# Driving the real game under Xvfb: a display, the game, keys, the pointer, screenshots and
# waits on what they show. Sourced from the repository root with the game binary as $1 by the
# tools that run the game (cpu-usage.sh, screenshots.sh, soak.sh, valgrind.sh,
# platforms/windows.sh) and, through tests/e2e/lib.sh, by the end-to-end tests.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

GAME=${1:?usage: $0 path/to/plint}
XCLOSE=${PLINT_XCLOSE:-$(dirname "$GAME")/tests/xclose}
# PLINT_SHOTS=scratch: a folder of this run's own, removed when it ends (the measuring tools).
SCRATCH_SHOTS=""
[ "${PLINT_SHOTS:-}" = scratch ] && SCRATCH_SHOTS=$(mktemp -d)
SHOTS=${SCRATCH_SHOTS:-${PLINT_SHOTS:-$(dirname "$GAME")/e2e-shots}}
mkdir -p "$SHOTS" && SHOTS=$(realpath "$SHOTS")
XVFB_PID=""
GAME_PID=""
WINDOW=""
# Where the game's 640 x 480 lies on the screen when a window frame keeps it off the window's
# own corner (wine leaves room for one): shots and pointer moves are taken there instead, each
# frame pixel CLIENT_SCALE screen pixels a side.
CLIENT_X=""
CLIENT_Y=""
CLIENT_SCALE=1

# The parts of the game's screen the checks look at, in window coordinates.
MINIMAP=210x90+420+370     # the minimap: 35 x 15 cells of 6 pixels
BELOW_TOP_BAR=640x419+0+61 # all but the top bar, whose clock ticks while paused
START_DOT=4x4+427+377      # the player's dot in room (1, 1) at the start

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Under set -e too (the Debian root's check): a process already gone is no failure.
cleanup() {
    [ -z "$GAME_PID" ] || kill -9 "$GAME_PID" 2>/dev/null || true # left behind by a failure
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null
    [ -z "$SCRATCH_SHOTS" ] || rm -rf "$SCRATCH_SHOTS"
}
trap cleanup EXIT

# XVFB_SIZE, 800x600 unless set, is the screen's size.
start_xvfb() {
    xvfb_start "${XVFB_SIZE:-800x600}x${XVFB_DEPTH:-24}" "$SHOTS/display.$$" || fail "could not start Xvfb"
}

# Starts the game (or the command given, which runs it) and waits for its window, 640 x 480
# unless WINDOW_SIZE says otherwise; sets GAME_PID and WINDOW.
start_game() {
    # At the top left corner, where the classic SDL puts it and the compatibility library would not.
    env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy SDL_VIDEO_WINDOW_POS=0,0 "${@:-$GAME}" \
        >"$SHOTS/game.log" 2>&1 &
    GAME_PID=$!
    local i
    for i in $(seq 1 "${PLINT_WINDOW_WAIT:-600}"); do
        WINDOW=$(xdotool search --name '^Plint$' 2>/dev/null | head -n 1)
        [ -n "$WINDOW" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window opened: $(cat "$SHOTS/game.log")"
        sleep 0.1
    done
    [ -n "$WINDOW" ] || fail "no window titled Plint appeared"
    xdotool getwindowgeometry "$WINDOW" | grep -q "Geometry: ${WINDOW_SIZE:-640x480}\$" ||
        fail "the window is not ${WINDOW_SIZE:-640x480}: $(xdotool getwindowgeometry "$WINDOW")"
    sleep 0.5 # let the first passes draw
}

# Holds a key down for a few passes so the game's poll sees it, even a slow one.
press_key() {
    xdotool keydown "$1"
    sleep "${2:-0.3}"
    xdotool keyup "$1"
}

# Moves the pointer to window coordinates.
move_pointer() {
    if [ -n "$CLIENT_X" ]; then
        xdotool mousemove $((CLIENT_X + CLIENT_SCALE * $1)) $((CLIENT_Y + CLIENT_SCALE * $2))
    else
        xdotool mousemove --window "$WINDOW" "$1" "$2"
    fi
}

click_left() {
    xdotool mousedown 1 sleep 0.3 mouseup 1
}

# Saves the game's pixels as PNG.
screenshot() {
    if [ -n "$CLIENT_X" ]; then
        import -window root -crop "$((640 * CLIENT_SCALE))x$((480 * CLIENT_SCALE))+$CLIENT_X+$CLIENT_Y" \
            +repage "$SHOTS/$1.png"
    else
        import -window "$WINDOW" "$SHOTS/$1.png"
    fi || fail "screenshot $1 failed"
}

# pixel SHOT X Y: "r,g,b" of one pixel of a screenshot.
pixel() {
    convert "$SHOTS/$1.png" -format \
        "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# differing SHOT SHOT [WxH+X+Y]: how many pixels of the region differ between two shots.
differing() {
    local region=${3:-640x480+0+0}
    convert "$SHOTS/$1.png" -crop "$region" +repage "$SHOTS/crop-a.png"
    convert "$SHOTS/$2.png" -crop "$region" +repage "$SHOTS/crop-b.png"
    # ImageMagick 7 writes large counts as 1.2288e+06 and may add the share in brackets; a
    # message instead of a count (shots of two sizes) counts as every pixel differing.
    compare -metric AE "$SHOTS/crop-a.png" "$SHOTS/crop-b.png" null: 2>&1 |
        awk 'NR == 1 { print $1 ~ /^[0-9][0-9.e+]*$/ ? sprintf("%d", $1) : 999999999 }'
}

# dot SHOT: the player's red dot in the minimap, as WxH+LEFT+TOP in window coordinates.
dot() {
    convert "$SHOTS/$1.png" -crop "$MINIMAP" +repage -fill black +opaque "rgb(255,0,0)" \
        -format %@ info: | awk -F'[x+]' '{ print $1 "x" $2 "+" 420 + $3 "+" 370 + $4 }'
}

# settled NAME [REGION [MOST]]: two shots half a second apart agree (fewer than MOST pixels
# differ, default 1), the second saved as NAME.
settled() {
    screenshot "$1-before"
    sleep 0.5
    screenshot "$1"
    [ "$(differing "$1-before" "$1" "${2:-}")" -lt "${3:-1}" ]
}

# frosted SHOT: the paused frame in SHOT is washed out, no channel below 100, in three
# regions where nothing of the overlay lies over it.
frosted() {
    local region low
    for region in 100x150+30+220 100x150+510+220 200x30+220+380; do
        low=$(convert "$SHOTS/$1.png" -crop "$region" +repage -format \
            "%[fx:int(255*min(minima.r,min(minima.g,minima.b))+0.5)]" info:)
        [ "$low" -ge 100 ] || fail "$1: a channel of $low in $region; the frost has none below 100"
    done
}

# until_true SECONDS COMMAND...: runs COMMAND until it succeeds, for up to SECONDS; a busy
# machine slows the game down, so each step waits for what the screen shows.
until_true() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.2
    done
}

# Waits up to $1 seconds for the game to end; sets GAME_STATUS to its exit status, or to
# "running" when it did not end in time.
GAME_STATUS=""
wait_for_exit() {
    local i
    GAME_STATUS="running"
    for i in $(seq 1 $(($1 * 20))); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            GAME_STATUS=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.05
    done
}
