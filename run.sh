#!/usr/bin/env bash
# Builds the game alone in build/ (installing only what it needs) and starts it from here,
# where Media/ is found. Safe to run again after a failed or interrupted run.
set -eu
cd "$(dirname "$0")"

# Left to itself, SDL falls back to drawing in the terminal when there is no window system.
# An explicit SDL_VIDEODRIVER is the player's own choice. The game says the same itself;
# saying it here spares a build that could not be shown.
if [ -z "${SDL_VIDEODRIVER:-}" ] && [ -z "${DISPLAY:-}" ]; then
    echo "plint: no display to open a window on" >&2
    exit 1
fi

. scripts/common.sh
install_missing_packages "${BUILD_PACKAGES[@]}"
# Configured every time: a configure that failed or was cut short leaves a cache behind
# that would otherwise pass for a finished one, and an unchanged one costs a second. The
# tests are left out, so GoogleTest is not needed.
mkdir -p build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF \
    >build/configure.log 2>&1 || {
    cat build/configure.log >&2
    exit 1
}
cmake --build build --target plint -j"$(nproc)" -- --quiet
exec build/plint "$@"
