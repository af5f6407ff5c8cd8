#!/usr/bin/env bash
# Cross-compiles the unit tests for Windows into build-windows-tests/, against the
# dependencies packaging/windows/build-windows.sh builds, and runs them under wine: headless with SDL's
# dummy driver at 16, 24 and 32 bits, one process per test as on Linux. Prints how many ran,
# passed and were skipped; exits 1 on a failure. Arguments go to ctest (-R Maze, say).
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh
install_missing_packages "${WINDOWS_TEST_PACKAGES[@]}"

prefix=$(set -o pipefail; packaging/windows/build-windows.sh --dependencies | tail -n 1)
cmake -S . -B build-windows-tests -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-w64.cmake \
    -DPLINT_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DPLINT_BENCH=OFF \
    -DPLINT_TESTS=ON -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build build-windows-tests -j2 --target plint_tests

# A wine of its own, removed at the end, with no display. Its server and background programs
# start first with their output elsewhere: started by a test, they would hold CTest's pipe
# open for as long as they run.
WINEPREFIX=$(mktemp -d /tmp/plint-wine-XXXXXX)
export WINEPREFIX WINEDEBUG=-all
unset DISPLAY
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1

log=build-windows-tests/ctest.log
status=0
(cd build-windows-tests && ctest -j2 --output-on-failure "$@") | tee "$log" || status=1
count() { grep -cE "^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*$1" "$log" || true; }
echo "windows-units: $(count ' Passed') passed, $(count 'Failed|Exception|Timeout') failed, $(count 'Skipped') skipped"
exit $status
