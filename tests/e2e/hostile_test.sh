#!/usr/bin/env bash
# Hostile images, made at test time by stress/hostile-images.py: bombs, every other format
# SDL_image knows under a .png name, the cursor sheets in odd colour types, truncated and
# lying PNGs; and FIFOs, a folder, a socket, a link loop and a sparse file. Each run puts some
# of them in place of the game's images; the game must draw, name each refused file with the
# reason, stay within the memory bound (its peak with the real art plus the 10 MB two of the
# largest accepted image take) and end with status 0 on the window's close.
. "$(dirname "$0")/lib.sh"

GAME=$(realpath "$GAME")
ROOT=$PWD
PLAY=$(mktemp -d /tmp/plint-hostile-XXXXXX)
trap 'cleanup; rm -rf "$PLAY"' EXIT
python3 stress/hostile-images.py "$PLAY/corpus" || fail "the corpus generator failed"
SLOTS=(Game/wall.png Game/background.png Canopy/Font.png Canopy/Button.png Canopy/Border.png
    Canopy/TopBottomBorder.png Canopy/Cursor.png)

# place WHAT FILE: a corpus file, or what is no image file at all: a FIFO (a read would wait
# for ever), a directory, a socket, a symbolic link to itself, or a sparse file of 1.2 GB that
# starts as a PNG.
place() {
    rm -f "$2"
    case $1 in
    fifo) mkfifo "$2" ;;
    folder) mkdir "$2" ;;
    sparse) head -c 33 "$ROOT/Media/Game/wall.png" >"$2" && truncate -s 1200M "$2" ;;
    socket) python3 -c "import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])" "$2" ;;
    loop) ln -s "$(basename "$2")" "$2" ;;
    *) cp "$PLAY/corpus/$1.png" "$2" ;;
    esac
}
# A bomb where ./Media would have found the icon once, beside it: the memory bound keeps it out.
mkdir -p "$PLAY/packaging/icons/32x32/apps" && cp "$PLAY/corpus/bomb-rgb-16383.png" "$_/plint.png"

# One run a line: the corpus files, placed over the slots in order ('-' keeps the real one);
# "named" when every file placed must be named on stderr.
RUNS=("real-art: -"
    "named: format-bmp format-gif format-jpeg format-lbm format-pcx format-pnm format-tga"
    "named: format-tiff format-webp format-xcf format-xpm format-xv truncated-signature truncated-ihdr"
    "named: - bomb-rgb-16383 bomb-rgb-16383"
    "named: lying-length lying-size zero-size truncated-idat lying-length lying-size truncated-idat"
    "named: fifo sparse folder socket loop - fifo")
for c in cursor-grey16 cursor-grey16-interlaced cursor-grey-alpha cursor-grey-alpha-interlaced; do
    RUNS+=("drawn: - - - - - - $c")
done

start_xvfb
BASE=0
: >"$SHOTS/hostile.log"
for run in "${RUNS[@]}"; do
    read -r kind files <<<"$run"
    rm -rf "$PLAY/Media" && cp -r "$ROOT/Media" "$PLAY/Media"
    set -- $files
    for slot in "${SLOTS[@]}"; do
        [ $# -gt 0 ] && [ "$1" != - ] && place "$1" "$PLAY/Media/$slot"
        [ $# -gt 0 ] && shift
    done
    cd "$PLAY" && start_game && cd "$ROOT" || fail "$run: no start"
    move_pointer 320 240 && press_key Escape && sleep 0.8 # the menu, the bars and the cursor
    until_true 10 colourful hostile || fail "$run: the screen is one colour" # slow under load
    peak=$(awk '/VmHWM/ { print $2 }' "/proc/$GAME_PID/status")
    [ "$BASE" = 0 ] && BASE=$peak
    [ "$peak" -le $((BASE + 10240)) ] || fail "$run: peak RSS $peak kB, bound $((BASE + 10240)) kB"
    closed_cleanly "$run" 5
    cat "$SHOTS/game.log" >>"$SHOTS/hostile.log"
    i=0
    for f in $files; do
        slot=${SLOTS[$i]} && i=$((i + 1))
        [ "$kind" = named: ] && [ "$f" != - ] || continue
        grep -q "^plint: .*$slot[ ;]" "$SHOTS/game.log" ||
            fail "$run: $f as $slot is not named: $(cat "$SHOTS/game.log")"
    done
    echo "$run: drew, peak RSS $peak kB, closed with 0"
done
echo "hostile_test: passed"
