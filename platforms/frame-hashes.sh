#!/usr/bin/env bash
# Frame hashes of a scripted walk-and-pause run (platforms/frame_hashes.cpp) of the game built from
# a source tree, at 8, 16, 24 and 32 bits under SDL's dummy driver: one line "DEPTH PASS HASH"
# per pass. Two trees draw the same frames when their outputs are identical.
#   platforms/frame-hashes.sh [SOURCE_TREE, default this one] > hashes.txt
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
TREE=$(realpath "${1:-$HERE/..}")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cmake -S "$TREE" -B "$WORK/build" -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF >/dev/null
cmake --build "$WORK/build" -j2 --target plint >/dev/null
# shellcheck disable=SC2046 # sdl-config gives several flags
c++ -std=c++17 -O2 -shared -fPIC -o "$WORK/hashes.so" "$HERE/frame_hashes.cpp" \
    $(sdl-config --cflags) -ldl
cd "$WORK"
for depth in 8 16 24 32; do
    SDL_VIDEODRIVER=dummy TZ=UTC PLINT_DEPTH=$depth LD_PRELOAD="$WORK/hashes.so" \
        "$WORK/build/plint" 2>/dev/null | sed "s/^/$depth /"
done
