#!/usr/bin/env bash
# Bad art and odd displays as a player may meet them. Each case starts the real game in a
# scratch folder holding a copy of Media/ made bad (or none, with the game copied where no
# art lies beside it, so it finds none anywhere); the game must run and draw (a screenshot
# of more than one colour, alive a second later), name each image it cannot read on stderr,
# show no sanitizer report and end with status 0 through the window's close button. Without
# a display it must say so in one line and end with status 1.
. "$(dirname "$0")/lib.sh"

GAME=$(realpath "$GAME")
ROOT=$PWD
PLAY=$(mktemp -d /tmp/plint-bad-XXXXXX)
trap 'cleanup; rm -rf "$PLAY"' EXIT
IMAGES="Game/wall.png Game/background.png Canopy/Font.png Canopy/Button.png Canopy/Border.png
Canopy/TopBottomBorder.png Canopy/Cursor.png"
mkdir "$PLAY/bin" && cp "$GAME" "$PLAY/bin/plint"

spoil() { # HOW FILE, in the scratch Media/
    case $1 in
    missing) rm "$2" ;;
    [0-9]*x*) convert -size "$1" xc:gray50 "$2" ;;
    esac
}

# One case a line: how the files are made bad, and which (all: the seven at once).
CASES=("no-Media -")
for f in $IMAGES; do CASES+=("missing $f"); done
# Files refused unread are hostile_test's.
CASES+=("1x1 all" "399x257 Game/wall.png" "16-bit -")

start_xvfb
for c in "${CASES[@]}"; do
    read -r how files <<<"$c"
    [ "$files" = all ] && files=$IMAGES
    rm -rf "$PLAY/Media" && cp -r "$ROOT/Media" "$PLAY/Media"
    cd "$PLAY/Media" || fail "no scratch folder"
    for f in ${files#-}; do spoil "$how" "$f"; done
    cd "$PLAY" || fail "no scratch folder"
    [ "$how" = no-Media ] && rm -rf Media
    if [ "$how" = 16-bit ]; then
        kill "$XVFB_PID" && wait "$XVFB_PID"
        XVFB_DEPTH=16 start_xvfb
        xdpyinfo | grep -q 'depth of root window: *16 planes' || fail "the display is not 16-bit"
    fi
    if [ "$how" = no-Media ]; then start_game "$PLAY/bin/plint"; else start_game; fi
    cd "$ROOT" || fail "no repository"
    shot=bad-$(echo "$c" | tr -c 'a-zA-Z0-9\n-' _)
    until_true 10 colourful "$shot" || fail "$c: the screen is one colour" # slow under load
    sleep 1
    kill -0 "$GAME_PID" 2>/dev/null || fail "$c: the game ended: $(cat "$SHOTS/game.log")"
    closed_cleanly "$c" 3
    [ "$how" != no-Media ] || grep -q "^plint: no art found in Media under the working directory or in $PLAY/share/plint/Media;" "$SHOTS/game.log" ||
        fail "$c: stderr does not say where the art was looked for: $(cat "$SHOTS/game.log")"
    for f in ${files#-}; do # a picture that loads, however odd its size, is not named
        [[ $how = 1x1 ]] || grep -q "${f#*/}" "$SHOTS/game.log" ||
            fail "$c: stderr does not name $f"
    done
    echo "$c: ran and drew, closed with 0"
done

# No display: one line and status 1 from ./run.sh too (the game's own: tests/cli_test.sh).
said=$(env -u DISPLAY -u SDL_VIDEODRIVER ./run.sh 2>&1)
[ $? = 1 ] && [ "$said" = "plint: no display to open a window on" ] || fail "no display, run.sh: $said"
echo "badfiles_test: passed"
