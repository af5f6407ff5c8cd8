#!/usr/bin/env bash
# Builds the game in build/ (installing what is missing) and starts it from here, where
# Media/ is found.
set -eu
cd "$(dirname "$0")"

# Left to itself, SDL falls back to drawing in the terminal when there is no window system.
# An explicit SDL_VIDEODRIVER is the player's own choice.
if [ -z "${SDL_VIDEODRIVER:-}" ]; then
    if [ -z "${DISPLAY:-}" ]; then
        echo "plint: no display to open a window on (DISPLAY is not set)" >&2
        exit 1
    fi
    export SDL_VIDEODRIVER=x11
fi

. tools/deps.sh
install_missing_packages "${BUILD_PACKAGES[@]}"
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" -- --quiet
exec build/plint
