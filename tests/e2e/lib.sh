# What the end-to-end tests check beyond driving the game (scripts/drive.sh, which this
# sources). Sourced by the *_test.sh scripts, which ctest runs from the repository root with
# the game binary as $1.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/drive.sh"

# colourful SHOT: a shot of the window, saved as SHOT, shows more than one colour.
colourful() {
    screenshot "$1" && [ "$(convert "$SHOTS/$1.png" -format %k info:)" -gt 1 ]
}

# closed_cleanly WHAT SECONDS: the window's close request ends the game within SECONDS with
# status 0 and no sanitizer report in its log.
closed_cleanly() {
    "$XCLOSE" "$WINDOW" && wait_for_exit "$2"
    [ "$GAME_STATUS" = 0 ] || fail "$1: after the close request the game gave $GAME_STATUS"
    ! grep -q 'Sanitizer\|runtime error' "$SHOTS/game.log" || fail "$1: $(cat "$SHOTS/game.log")"
}
