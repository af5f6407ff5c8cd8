#!/usr/bin/env bash
# Installs what the tests need, builds the normal and the sanitizer (ASan + UBSan)
# configurations and, from the normal one, the Debian package, and runs the whole suite
# headless in both. Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")"

. tools/deps.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
# The plain install's folders, said outright so that a build/ configured as Debian installs
# games by an earlier test.sh is put back: tools/build-deb.sh builds the package in its own.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr/local \
    -DCMAKE_INSTALL_BINDIR=bin >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLINT_SANITIZE=ON -DPLINT_BENCH=OFF >/dev/null
cmake --build build -j"$jobs"
cmake --build build-asan -j"$jobs"
tools/build-deb.sh >/dev/null # in build-deb/, read by the install test

status=0
(cd build && ctest --output-on-failure -j"$jobs") || status=1
echo "== sanitizer build =="
(cd build-asan && ctest --output-on-failure -j"$jobs") || status=1

# Extra stages, left out of nested runs (a Debian root, say) with PLINT_SUITE=local.
if [ "${PLINT_SUITE:-}" != local ]; then
    tools/test-compilers.sh || status=1
fi
exit $status
