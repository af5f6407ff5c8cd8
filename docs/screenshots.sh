#!/usr/bin/env bash
# Takes the README's two screenshots of the real game under Xvfb: docs/play.png (walking the
# maze) and docs/pause.png (the pause overlay). Run from anywhere after a build:
#   docs/screenshots.sh [path/to/plint]
cd "$(dirname "$0")/.." || exit 1
set -- "${1:-build/plint}"
PLINT_SHOTS=scratch . scripts/drive.sh

start_xvfb
start_game
# A pointer right of the centre turns the view; a short turn looks across the start room
# into the maze, then the centred pointer holds the view still.
move_pointer 640 240
sleep 0.25
move_pointer 320 240
press_key s 0.3
sleep 0.3
screenshot play

press_key Escape
move_pointer 330 120 # over "Resume game", so it shows highlighted
sleep 1.2            # the fade takes 39 passes
screenshot pause

cp "$SHOTS/play.png" "$SHOTS/pause.png" docs/
echo "wrote docs/play.png and docs/pause.png"
