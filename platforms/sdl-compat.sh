#!/usr/bin/env bash
# Runs the normal build's tests against SDL 1.2's compatibility library (sdl12-compat over
# SDL 2, what newer Debian and Ubuntu releases ship as libsdl1.2-compat) instead of the
# classic libsdl1.2debian, without installing anything: the runtime packages are downloaded
# and unpacked into build-compat/, and LD_LIBRARY_PATH points the game and the tests there.
# Arguments go to ctest, e.g. platforms/sdl-compat.sh -L e2e. Needs ./test.sh run once.
set -eu
cd "$(dirname "$0")/.."
root=$PWD/build-compat
lib=$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)

if [ ! -e "$lib/sdl12-compat/libSDL-1.2.so.0" ]; then
    mkdir -p "$root/debs"
    if ! apt-cache show libsdl1.2-compat >/dev/null 2>&1; then
        if [ "$(id -u)" -eq 0 ]; then apt-get update -qq; else sudo apt-get update -qq; fi
    fi
    # SDL 2 itself, and whichever of its libraries this machine does not have.
    packages="libsdl1.2-compat libsdl2-2.0-0"
    for package in $(apt-cache depends libsdl2-2.0-0 | awk '$1 == "Depends:" { print $2 }'); do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            packages="$packages $package"
    done
    # shellcheck disable=SC2086
    (cd "$root/debs" && apt-get download $packages)
    for deb in "$root"/debs/*.deb; do
        dpkg-deb -x "$deb" "$root"
    done
fi
export LD_LIBRARY_PATH=$lib/sdl12-compat:$lib

# The tests must really load the compatibility library, and SDL 2 under it.
loaded=$(cd build-test && SDL_VIDEODRIVER=dummy LD_DEBUG=libs tests/plint_tests \
    --gtest_filter='Depths/WorldViewTest.TheWallIs*/32' 2>&1 | grep 'calling init:.*libSDL')
for want in "$lib/sdl12-compat/libSDL-1.2.so.0" "$lib/libSDL2-2.0.so.0"; do
    grep -qF "$want" <<<"$loaded" || {
        echo "plint: the tests do not load $want:" >&2
        echo "$loaded" >&2
        exit 1
    }
done
echo "testing against $lib/sdl12-compat and SDL 2"
# dpkg-shlibdeps finds no package for the library LD_LIBRARY_PATH points at.
cd build-test && ctest --output-on-failure -E '^package\.' "$@"
