#!/usr/bin/env bash
# Builds plintcore and the game with each compiler people have, warnings as errors, in its
# own folder (build-COMPILER, tests and benchmarks off). One line per compiler; exits
# non-zero if any build fails. Its log is build-COMPILER/build.log.
#   platforms/compilers.sh [compiler ...]   (default: g++-11 g++-12 clang++-14)
cd "$(dirname "$0")/.." || exit 1
. scripts/common.sh
install_missing_packages "${BUILD_PACKAGES[@]}" "${COMPILER_PACKAGES[@]}" || exit 1

[ $# -gt 0 ] || set -- g++-11 g++-12 clang++-14
status=0
for compiler in "$@"; do
    dir=build-$compiler
    mkdir -p "$dir"
    if cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_FLAGS=-Werror \
        -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF >"$dir/build.log" 2>&1 &&
        cmake --build "$dir" -j2 >>"$dir/build.log" 2>&1; then
        echo "$compiler: builds without warnings"
    else
        echo "$compiler: FAILED (see $dir/build.log)"
        status=1
    fi
done
exit $status
