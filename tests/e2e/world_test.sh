#!/usr/bin/env bash
# The real game shows the maze: the minimap in a screenshot is a perfect 35 x 15 maze with
# the player's red dot in room (1, 1); holding W walks the player up to the wall above the
# start; and a pointer right of the centre turns the view.
. "$(dirname "$0")/lib.sh"

# Reads the screenshot $1 and runs the Python check $2 on its pixels: `px(x, y)` gives
# (r, g, b) of the window's pixel.
check_pixels() {
    local shot="$SHOTS/$1.png"
    convert "$shot" -depth 8 rgb:- | python3 -c "
import sys
data = sys.stdin.buffer.read()
assert len(data) == 640 * 480 * 3, 'screenshot is not 640 x 480'
def px(x, y):
    i = (y * 640 + x) * 3
    return data[i], data[i + 1], data[i + 2]
def is_red(c):
    return c[0] > 200 and c[1] < 60 and c[2] < 60
$2
" || fail "$1: pixel check failed"
}

MAZE_CHECK='
cells = {}
for y in range(15):
    for x in range(35):
        c = px(420 + 6 * x + 3, 370 + 6 * y + 3)
        if min(c) > 200:
            cells[x, y] = 1
        elif max(c) < 50:
            cells[x, y] = 0
        elif is_red(c) and (x, y) == (1, 1):
            cells[x, y] = 1
        else:
            sys.exit("minimap cell %d,%d has colour %s" % (x, y, c))
opened = [k for k, v in cells.items() if v]
for (x, y) in opened:
    if x in (0, 34) or y in (0, 14):
        sys.exit("border cell %d,%d is open" % (x, y))
if len(opened) != 237:
    sys.exit("%d open cells, not 237" % len(opened))
links = sum(1 for (x, y) in opened for n in ((x + 1, y), (x, y + 1)) if cells.get(n))
if links != 236:
    sys.exit("%d links between open cells, not 236: not a tree" % links)
seen, todo = {(1, 1)}, [(1, 1)]
while todo:
    x, y = todo.pop()
    for n in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
        if cells.get(n) and n not in seen:
            seen.add(n)
            todo.append(n)
if len(seen) != 237:
    sys.exit("only %d open cells reachable from (1, 1)" % len(seen))
'

# dot_at LEFT TOP: the 4 x 4 red dot covers exactly those columns and rows.
dot_check() {
    echo "
for y in range($2 - 1, $2 + 5):
    for x in range($1 - 1, $1 + 5):
        inside = $1 <= x < $1 + 4 and $2 <= y < $2 + 4
        if is_red(px(x, y)) != inside:
            sys.exit('dot pixel %d,%d is %s' % (x, y, px(x, y)))
"
}

start_xvfb
xdotool mousemove 320 240 # centred before the window opens, so nothing turns
start_game
move_pointer 320 240
sleep 0.3

screenshot world-start
check_pixels world-start "$MAZE_CHECK"
check_pixels world-start "$(dot_check 427 377)"
# The view is drawn: the wall of the outer row fills the middle column.
check_pixels world-start "
if px(320, 240) == px(320, 0):
    sys.exit('no wall in the middle of the view')
"

# About 90 passes of W: the player stops 0.15 from the wall above, at Y 1.15, so the dot
# covers rows 374 to 377. Forward is 270 degrees converted with 0.0174532925, a hair short
# of 3 pi / 2, so each step also takes about 1e-10 cells off X: just below 1.5 the dot's
# corner truncates to column 426.
xdotool keydown w
sleep 1.5
xdotool keyup w
sleep 0.3
screenshot world-walked
check_pixels world-walked "$(dot_check 426 374)"
check_pixels world-walked "$MAZE_CHECK"

# Standing still, the view does not change; a moment with the pointer right of the
# centre turns it.
VIEW_DIFF='
import subprocess
def load(name):
    return subprocess.run(["convert", sys.argv[1] + "/" + name + ".png", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout
a, b = load(sys.argv[2]), load(sys.argv[3])
changed = 0
for y in range(20, 360):
    for x in range(20, 620):
        i = (y * 640 + x) * 3
        changed += a[i:i + 3] != b[i:i + 3]
print(changed)
'
screenshot turn-before
sleep 0.3
screenshot turn-still
still=$(python3 -c "import sys$(printf '\n')$VIEW_DIFF" "$SHOTS" turn-before turn-still)
[ "$still" -lt 100 ] || fail "the view changed by $still pixels while standing still"
move_pointer 600 240
sleep 0.3
move_pointer 320 240
sleep 0.3
screenshot turn-after
turned=$(python3 -c "import sys$(printf '\n')$VIEW_DIFF" "$SHOTS" turn-before turn-after)
[ "$turned" -gt 20000 ] || fail "the pointer right of centre did not turn the view ($turned pixels changed)"

"$XCLOSE" "$WINDOW" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 2
[ "$GAME_STATUS" = "0" ] || fail "after the close request the game gave: $GAME_STATUS"
echo "world_test: passed"
