#!/usr/bin/env bash
# Frame hashes of a scripted walk-and-pause run (platforms/frame_hashes.cpp) of the game built from
# a source tree, at 8, 16, 24 and 32 bits under SDL's dummy driver: one line "DEPTH PASS HASH"
# per pass. Two trees draw the same frames when their outputs are identical.
#   platforms/frame-hashes.sh [SOURCE_TREE, default this one] > hashes.txt
#   platforms/frame-hashes.sh --check    compares with platforms/expected-hashes.txt instead,
#                                    saying where the first difference lies
# A game built elsewhere (another processor, say) is run instead of building one with
#   PLINT_GAME       the game, built with its symbols (the long walk reads the player's pose)
#   PLINT_HASH_SHIM  platforms/frame_hashes.cpp built for the game's processor
#   PLINT_EMULATOR   what runs it, e.g. "qemu-aarch64 -L SYSROOT" (default: nothing)
#   PLINT_DEPTHS     the depths to run (default: 8 16 24 32); --check compares only those
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
check=
[ "${1:-}" = --check ] && { check=1; shift; }
TREE=$(realpath "${1:-$HERE/..}")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
game=${PLINT_GAME:-}
shim=${PLINT_HASH_SHIM:-}
if [ -z "$game" ]; then
    cmake -S "$TREE" -B "$WORK/build" -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF >/dev/null
    cmake --build "$WORK/build" -j2 --target plint >/dev/null
    game=$WORK/build/plint
fi
if [ -z "$shim" ]; then
    # shellcheck disable=SC2046 # sdl-config gives several flags
    c++ -std=c++17 -O2 -shared -fPIC -o "$WORK/hashes.so" "$HERE/frame_hashes.cpp" \
        $(sdl-config --cflags) -ldl
    shim=$WORK/hashes.so
fi
game=$(realpath "$game")
shim=$(realpath "$shim")
read -ra emulator <<<"${PLINT_EMULATOR:-}"

# A game that never ends its run (one that ignores the script's quit, say) is killed after
# this long, even when whatever ran this script was stopped first: a few seconds a depth
# natively, minutes under an emulator.
limit=$([ ${#emulator[@]} -gt 0 ] && echo 1800 || echo 240)

run() {
    local depth
    cd "$WORK"
    for depth in ${PLINT_DEPTHS:-8 16 24 32}; do
        # An emulator gets the preload itself: in the environment it would go to the emulator.
        if [ ${#emulator[@]} -gt 0 ]; then
            SDL_VIDEODRIVER=dummy TZ=UTC PLINT_DEPTH=$depth timeout -s KILL "$limit" \
                "${emulator[@]}" -E LD_PRELOAD="$shim" "$game" 2>/dev/null
        else
            SDL_VIDEODRIVER=dummy TZ=UTC PLINT_DEPTH=$depth LD_PRELOAD="$shim" \
                timeout -s KILL "$limit" "$game" 2>/dev/null
        fi | sed "s/^/$depth /"
    done
}
[ -z "$check" ] && { run; exit 0; }

expected=$HERE/expected-hashes.txt
# A game that stops early (or never starts) leaves passes out, and they count as differences.
# Both in the file's order, the depths rising, whatever order they were asked for in.
run | sort -s -n -k1,1 >"$WORK/hashes.txt" || true
awk -v depths="${PLINT_DEPTHS:-8 16 24 32}" 'BEGIN { split(depths, d, " "); for (i in d) want[d[i]] = 1 }
    $1 in want' "$expected" >"$WORK/expected.txt"
if ! cmp -s "$WORK/expected.txt" "$WORK/hashes.txt"; then
    differing=$(diff "$WORK/expected.txt" "$WORK/hashes.txt" | grep -c '^<' || true)
    first=$(diff "$WORK/expected.txt" "$WORK/hashes.txt" | grep -m1 '^[<>]' || true)
    echo "frame hashes: $differing of $(wc -l <"$WORK/expected.txt") passes differ from $expected" \
        "or are missing; first: ${first:-none}" >&2
    exit 1
fi
echo "frame hashes: $(wc -l <"$WORK/hashes.txt") passes as expected (depths ${PLINT_DEPTHS:-8 16 24 32})"
