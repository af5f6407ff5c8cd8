#!/usr/bin/env bash
# The game's own suite: installs what the tests need, builds the normal and the sanitizer
# (ASan + UBSan) configurations and runs every test headless in both. With --everywhere it
# then runs the stages that try the game elsewhere (platforms/: other compilers, the frame
# hashes under SDL 1.2's compatibility library, the Windows release and unit tests under wine,
# other processors, a fresh Debian root), unless PLINT_SUITE=local (a nested
# run inside that Debian root). Exits non-zero on any failure.
#   ./test.sh [--everywhere]
set -eu
cd "$(dirname "$0")"
case "${1:-}" in
--everywhere) everywhere=1 ;;
"") everywhere=0 ;;
*)
    echo "usage: $0 [--everywhere]" >&2
    exit 2
    ;;
esac
[ "${PLINT_SUITE:-}" != local ] || everywhere=0

. scripts/common.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
# Folders of their own: run.sh and the README's Install use build/, and a cache left here
# (the tests switched on, a prefix) must never leak into what a player installs.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLINT_TESTS=ON >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLINT_SANITIZE=ON -DPLINT_TESTS=ON \
    -DPLINT_BENCH=OFF >/dev/null
cmake --build build-test -j"$jobs"
cmake --build build-asan -j"$jobs"
packaging/build-deb.sh >/dev/null # in build-deb/, read by the install test

status=0
(cd build-test && ctest --output-on-failure -j"$jobs") || status=1
echo "== sanitizer build =="
(cd build-asan && ctest --output-on-failure -j"$jobs") || status=1

if [ $everywhere = 1 ]; then
    platforms/compilers.sh || status=1
    platforms/sdl-compat.sh -L frames || status=1 # the classic library's frames over SDL 2
    platforms/windows.sh || status=1
    platforms/windows-units.sh || status=1
    platforms/cross.sh || status=1
    platforms/debian-root.sh trixie || status=1
fi
exit $status
