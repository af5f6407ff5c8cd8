#!/usr/bin/env bash
# Installs what the tests need, builds the normal and the sanitizer (ASan + UBSan)
# configurations and runs the whole suite headless in both; then, unless PLINT_SUITE=local,
# the stages that try the game elsewhere. Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")"

. tools/deps.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
# Folders of their own: run.sh and the README's Install use build/, and a cache left here
# (the tests switched on, a prefix) must never leak into what a player installs.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLINT_TESTS=ON >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLINT_SANITIZE=ON -DPLINT_TESTS=ON \
    -DPLINT_BENCH=OFF >/dev/null
cmake --build build-test -j"$jobs"
cmake --build build-asan -j"$jobs"
tools/build-deb.sh >/dev/null # in build-deb/, read by the install test

status=0
(cd build-test && ctest --output-on-failure -j"$jobs") || status=1
echo "== sanitizer build =="
(cd build-asan && ctest --output-on-failure -j"$jobs") || status=1

# Extra stages, left out of nested runs (a Debian root, say) with PLINT_SUITE=local.
if [ "${PLINT_SUITE:-}" != local ]; then
    tools/test-compilers.sh || status=1
    tools/test-windows.sh || status=1
    tools/test-windows-units.sh || status=1
    tests/elsewhere/cross.sh || status=1
    tools/test-debian-root.sh trixie || status=1
fi
exit $status
