#!/usr/bin/env bash
# Takes the README's two screenshots of the real game under Xvfb: docs/play.png (walking the
# maze) and docs/pause.png (the pause overlay). Run from anywhere after a build:
#   tools/screenshots.sh [path/to/plint]
cd "$(dirname "$0")/.."
set -- "${1:-build/plint}"
PLINT_SHOTS=$(mktemp -d)
export PLINT_SHOTS
. tests/e2e/lib.sh

start_xvfb
start_game
move_pointer 320 240 # centred: the view holds still
press_key w 0.6
press_key d 0.3
sleep 0.3
screenshot play

press_key Escape
move_pointer 330 120 # over "Resume game", so it shows highlighted
sleep 1.2            # the fade takes 39 passes
screenshot pause

cp "$SHOTS/play.png" "$SHOTS/pause.png" docs/
echo "wrote docs/play.png and docs/pause.png"
