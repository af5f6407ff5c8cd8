#!/usr/bin/env bash
# Installs what the tests need, builds the normal and the sanitizer (ASan + UBSan)
# configurations, and runs the whole suite headless in both. Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")"

. tools/deps.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLINT_SANITIZE=ON -DPLINT_BENCH=OFF >/dev/null
cmake --build build -j"$jobs"
cmake --build build-asan -j"$jobs"

status=0
(cd build && ctest --output-on-failure -j"$jobs") || status=1
echo "== sanitizer build =="
(cd build-asan && ctest --output-on-failure -j"$jobs") || status=1
exit $status
