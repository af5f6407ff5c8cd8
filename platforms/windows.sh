#!/usr/bin/env bash
# The Windows release played as a Windows player would, under wine on an Xvfb of its own:
# builds the zip (packaging/windows/build-windows.sh), unzips it into an empty folder and starts
# plint.exe there, and again from another folder, with real keys and pointer moves; then
# Alt+Enter to the whole screen and back, and a window at --scale 2. Each
# step waits for what the screen shows. Screenshots go to build-windows/wine-shots/.
# Exits 1 on the first failure.
set -u
cd "$(dirname "$0")/.." || exit 1
root=$PWD
. scripts/common.sh
install_missing_packages "${WINDOWS_PACKAGES[@]}" || exit 1

started=$SECONDS
step() { echo "test-windows: $1 ($((SECONDS - started)) s)"; }
mkdir -p build-windows
log=build-windows/release.log
packaging/windows/build-windows.sh >"$log" 2>&1 || {
    tail -n 20 "$log" >&2
    echo "test-windows: the release did not build ($log)" >&2
    exit 1
}
zip=$(tail -n 1 "$log")
step "built $zip"

work=$(mktemp -d)
export PLINT_SHOTS=$root/build-windows/wine-shots
rm -rf "$PLINT_SHOTS"
set -- "$work/game/plint.exe" # what the e2e helpers take as the game
. tests/e2e/lib.sh
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
cleanup_windows() {
    cleanup
    WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup_windows EXIT

mkdir "$work/game" "$work/elsewhere"
unzip -q "$zip" -d "$work/unzipped" && mv "$work/unzipped"/*/* "$work/game/"

# A screen big enough for wine's frame round the window, which it draws itself when no
# window manager runs, at 2x too.
xvfb_start 1920x1080x24 "$work/display" || fail "could not start Xvfb"
"$wine" wineboot -i >/dev/null 2>&1 || fail "wine could not make its prefix"
step "wine prefix made"

# The client area's corner on the screen, CLIENT_X and CLIENT_Y (see scripts/drive.sh). With
# no window manager wine leaves room for a frame (the client at (3, 22)) but draws none; a
# frame of its own would have equal sides and a caption on top.
find_client() {
    local geometry
    geometry=$(xwininfo -id "$WINDOW") || return 1
    local x y w h
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$geometry")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$geometry")
    w=$(sed -n 's/.*Width: *//p' <<<"$geometry")
    h=$(sed -n 's/.*Height: *//p' <<<"$geometry")
    [ "$w" -ge $((640 * CLIENT_SCALE)) ] && [ "$h" -ge $((480 * CLIENT_SCALE)) ] || return 1
    local side=$(((w - 640 * CLIENT_SCALE) / 2))
    CLIENT_X=$((x + side))
    CLIENT_Y=$((y + h - 480 * CLIENT_SCALE - side))
}
# start_windows FOLDER [ARGS]: plint.exe started from FOLDER; sets GAME_PID and WINDOW.
start_windows() {
    local folder=$1
    shift
    (cd "$folder" && exec "$wine" "$GAME" "$@") >"$SHOTS/wine.log" 2>&1 &
    GAME_PID=$!
    WINDOW=""
    local end=$((SECONDS + 120))
    until WINDOW=$(xdotool search --onlyvisible --name '^Plint$' 2>/dev/null | head -n 1) &&
        [ -n "$WINDOW" ] && find_client; do
        kill -0 "$GAME_PID" 2>/dev/null || fail "plint.exe ended before its window opened"
        [ $SECONDS -lt $end ] || fail "no window titled Plint appeared"
        sleep 0.2
    done
}
# exit_by_menu NAME [WHEN]: Escape opens the menu (settled as NAME), a click on Exit ends
# plint.exe, with status 0.
exit_by_menu() {
    press_key Escape
    until_true 30 settled "$1" "$BELOW_TOP_BAR" || fail "the menu does not hold still"
    move_pointer 320 180
    click_left
    wait_for_exit 30
    [ "$GAME_STATUS" = 0 ] || fail "after Exit ${2:-}plint.exe gave: $GAME_STATUS"
}

# answered EXPECTED STATUS [ENV]: plint.exe started with --version or with a video driver
# that cannot start (in ENV) shows a message box titled Plint, which Return closes; then
# the game ends with STATUS and EXPECTED is in stdout.txt or stderr.txt beside plint.exe.
answered() {
    local expected=$1 status=$2
    shift 2
    (cd "$work/game" && exec env "$@" "$wine" "$GAME" ${ARGS:-}) >"$SHOTS/wine.log" 2>&1 &
    GAME_PID=$!
    boxed() { WINDOW=$(xdotool search --onlyvisible --name '^Plint$' 2>/dev/null | head -n 1) && [ -n "$WINDOW" ]; }
    until_true 60 boxed || fail "no message box for: $expected"
    import -window "$WINDOW" "$SHOTS/box-$status.png"
    xdotool key Return
    wait_for_exit 30
    [ "$GAME_STATUS" = "$status" ] || fail "after the message box plint.exe gave $GAME_STATUS, not $status"
    grep -qF "$expected" "$work/game/stdout.txt" "$work/game/stderr.txt" 2>/dev/null ||
        fail "'$expected' is not in stdout.txt or stderr.txt beside plint.exe"
    rm -f "$work/game/stdout.txt" "$work/game/stderr.txt"
}
ARGS=--version answered "plint $(plint_version)" 0
answered "plint: cannot start SDL" 1 SDL_VIDEODRIVER=nosuch
step "--version and a failed start-up in message boxes"

# From the unzipped folder: the window, its caption and the maze with its art. The pointer
# waits where wine puts the client area's centre, so that nothing turns before the first
# shot.
xdotool mousemove 323 262
start_windows "$work/game"
step "window open at ($CLIENT_X, $CLIENT_Y)"
move_pointer 320 240
until_true 60 settled start || fail "the view does not settle after start-up"
maze_shown start || fail "the minimap shows no maze"
[ "$(pixel start 320 240)" != "$(pixel start 320 0)" ] || fail "no wall in the middle of the view"
step "maze and dot"

[ "$(dot start)" = "$START_DOT" ] || fail "the dot is at $(dot start), not at the start"

# W walks up to the outer wall above the start, 0.15 cells short of it: the view changes,
# the dot moves up three rows, then nothing changes.
VIEW=600x340+20+20
xdotool keydown w
walked() { settled walk "$VIEW" && [ "$(dot walk)" = 4x4+426+374 ]; }
until_true 60 walked || fail "W did not bring the player to the wall: the dot is at $(dot walk)"
[ "$(differing start walk "$VIEW")" -gt 1000 ] || fail "walking did not change the view"
xdotool keyup w
until_true 30 settled walked-still || fail "the view keeps changing after W"
step "walked to a wall"

# The pointer right of the centre turns the view; the dot stays.
move_pointer 600 240
turning() { screenshot turning && [ "$(differing walked-still turning "$VIEW")" -gt 20000 ]; }
until_true 30 turning || fail "the pointer right of centre did not turn the view"
move_pointer 320 240
until_true 30 settled turned || fail "the view keeps turning with the pointer at the centre"
[ "$(differing walked-still turned "$MINIMAP")" = 0 ] || fail "turning moved the dot"
step "turned"

# Escape frosts and freezes; Resume game brings the world back as it stood.
press_key Escape
until_true 30 settled paused "$BELOW_TOP_BAR" || fail "the frozen frame below the top bar does not hold still"
frosted paused
step "paused and frosted"
move_pointer 320 125
click_left
move_pointer 320 240
until_true 30 shows turned resumed || fail "Resume game: the world did not come back as it stood"
step "resumed"

# Alt+Enter: the whole screen, the frame at 2x (the largest whole scale 1920 x 1080 holds)
# centred on black; Alt+Enter again: the window back, showing the frame as it stood.
alt_enter() {
    xdotool keydown alt keydown Return sleep 0.3 keyup Return keyup alt
}
full_shows() {
    import -window root "$SHOTS/full.png" &&
        convert "$SHOTS/full.png" -crop 1280x960+320+60 +repage -sample 50% "$SHOTS/full-half.png" &&
        [ "$(differing resumed full-half)" = 0 ] &&
        [ "$(convert "$SHOTS/full.png" -crop 320x1080+0+0 +repage -format '%[fx:maxima]' info:)" = 0 ]
}
alt_enter
until_true 60 full_shows || fail "Alt+Enter: the screen is not the frame at 2x on black"
alt_enter
windowed_again() {
    WINDOW=$(xdotool search --onlyvisible --name '^Plint$' 2>/dev/null | head -n 1) &&
        [ -n "$WINDOW" ] && find_client && shows resumed windowed
}
until_true 60 windowed_again || fail "Alt+Enter again: the window does not show the frame as it stood"
step "Alt+Enter: the whole screen and back"

# Exit ends plint.exe with status 0.
exit_by_menu exit-menu
[ ! -e "$work/game/stderr.txt" ] || fail "stderr.txt after a clean run: $(cat "$work/game/stderr.txt")"
step "Exit, status 0"

# From another folder the art beside plint.exe is found; a missing image is named in
# stderr.txt beside plint.exe, not in the folder the game was started from.
mv "$work/game/Media/Canopy/Button.png" "$work/Button.png"
xdotool mousemove 323 262
start_windows "$work/elsewhere"
move_pointer 320 240
until_true 60 settled elsewhere || fail "the view does not settle when started elsewhere"
maze_shown elsewhere && [ "$(dot elsewhere)" = "$START_DOT" ] ||
    fail "started elsewhere: no maze with the dot in room (1, 1)"
[ "$(pixel elsewhere 5 240)" = "$(pixel start 5 240)" ] ||
    fail "started elsewhere: the border is not the one from the art"
until_true 30 grep -q 'Media/Canopy/Button.png is missing' "$work/game/stderr.txt" ||
    fail "the missing image is not named in stderr.txt beside plint.exe"
[ ! -e "$work/elsewhere/stderr.txt" ] || fail "stderr.txt was written in the working folder"
exit_by_menu elsewhere-menu "(started elsewhere) "
step "started elsewhere; the missing image named in stderr.txt"

# --scale 2: a 1280 x 960 client area, every pixel of the frame a 2 x 2 square.
mv "$work/Button.png" "$work/game/Media/Canopy/Button.png"
rm -f "$work/game/stderr.txt"
CLIENT_SCALE=2
xdotool mousemove 643 502
start_windows "$work/game" --scale 2
move_pointer 320 240
until_true 60 settled scaled || fail "--scale 2: the view does not settle"
[ "$(identify -format %wx%h "$SHOTS/scaled.png")" = 1280x960 ] || fail "--scale 2: not 1280 x 960"
convert "$SHOTS/scaled.png" -sample 50% -sample 200% "$SHOTS/scaled-blocks.png"
[ "$(differing scaled scaled-blocks 1280x960+0+0)" = 0 ] ||
    fail "--scale 2: the picture is not made of 2 x 2 squares"
exit_by_menu scaled-menu "(--scale 2) "
step "--scale 2: a 1280 x 960 window of 2 x 2 squares"
echo "test-windows: passed in $((SECONDS - started)) s"
