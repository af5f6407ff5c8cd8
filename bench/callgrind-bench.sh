#!/usr/bin/env bash
# Instructions per pass of each benchmark, counted by valgrind's callgrind, so two trees can be
# compared on a loaded machine: unlike times, the counts do not depend on what else runs.
# Each benchmark runs alone twice, with FEW and with MANY passes (PLINT_BENCH_ITERATIONS); the
# difference over the extra passes leaves out start-up and each benchmark's own setup.
#   bench/callgrind-bench.sh [path/to/plint_bench, default build/bench/plint_bench] [regex]
# Run from any folder after a build with the benchmarks; the art is read from this tree.
cd "$(dirname "$0")/.." || exit 1
BENCH=$(realpath "${1:-build/bench/plint_bench}")
FILTER=${2:-.}
FEW=2
MANY=12
. scripts/common.sh
install_missing_packages valgrind || exit 1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export SDL_VIDEODRIVER=dummy

# instructions NAME PASSES: all instructions of one run of benchmark NAME with PASSES passes.
instructions() {
    PLINT_BENCH_ITERATIONS=$2 valgrind --tool=callgrind --callgrind-out-file="$WORK/out" \
        "$BENCH" --benchmark_filter="^$1(/iterations:[0-9]+)?\$" >/dev/null 2>&1 || return 1
    awk '/^(summary|totals):/ { print $2; exit }' "$WORK/out"
}

printf '%-24s %16s\n' benchmark "instructions/pass"
status=0
for name in $("$BENCH" --benchmark_list_tests=true | grep -E -- "$FILTER"); do
    if few=$(instructions "$name" $FEW) && many=$(instructions "$name" $MANY); then
        printf '%-24s %16d\n' "$name" $(((many - few) / (MANY - FEW)))
    else
        printf '%-24s %16s\n' "$name" FAILED
        status=1
    fi
done
exit $status
