# shellcheck shell=bash
# What the end-to-end tests check beyond driving the game (scripts/drive.sh, which this
# sources, names the screen's regions). Sourced by the *_test.sh scripts, which ctest runs
# from the repository root with the game binary as $1, and by platforms/windows.sh.
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

# shows SHOT NAME: a new shot, saved as NAME, is exactly SHOT.
shows() {
    screenshot "$2"
    [ "$(differing "$1" "$2")" = 0 ]
}

# maze_shown SHOT: the minimap holds walls, open cells and the dot, and nothing else. Whether
# the maze is perfect is the unit tests' (on Windows too: platforms/windows-units.sh).
maze_shown() {
    [ "$(convert "$SHOTS/$1.png" -crop "$MINIMAP" +repage -unique-colors -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | sort | tr '\n' ' ')" = "#000000 #FF0000 #FFFFFF " ]
}
