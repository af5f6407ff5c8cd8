#!/usr/bin/env bash
# Feeds mutated images to the game's image loaders for SECONDS (default 900) with libFuzzer
# (clang-14, AddressSanitizer and UndefinedBehaviorSanitizer), starting from the game's own
# art and the hostile corpus; then prints the executions and what it found. Not part of the
# suite: a run finds things rather than guards them. Exits 1 when it found a crash or a leak.
# Usage: stress/fuzz-images.sh [SECONDS]   (nice -n 10 is kind to a shared machine)
set -u
cd "$(dirname "$0")/.." || exit 1
seconds=${1:-900}
. scripts/common.sh
install_missing_packages "${BUILD_PACKAGES[@]}" clang-14 python3 || exit 1
out=build-fuzz
mkdir -p "$out/corpus" "$out/findings"
python3 stress/hostile-images.py "$out/corpus" && cp Media/*/*.png "$out/corpus/" || exit 1
# The game's library with the sanitizers and libFuzzer's coverage, the fuzzer linked to it.
cmake -S . -B "$out" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DPLINT_SANITIZE=ON -DPLINT_FUZZ=ON \
    -DPLINT_TESTS=OFF -DPLINT_BENCH=OFF >"$out/build.log" &&
    cmake --build "$out" -j2 --target fuzz_images >>"$out/build.log" || exit 1
# Leaks are looked for too, but SDL's dummy display keeps what it was given until SDL_Quit.
ASAN_OPTIONS=detect_leaks=0 "$out/stress/fuzz_images" -max_total_time="$seconds" -rss_limit_mb=512 \
    -max_len=65536 -artifact_prefix="$out/findings/" "$out/corpus" 2>"$out/fuzz.log"
status=$?
grep -E '^#[0-9]+ +DONE|^Done [0-9]+ runs' "$out/fuzz.log" | tail -n 2
echo "findings: $(find "$out/findings" -type f | wc -l) (in $out/findings), corpus: $(ls "$out/corpus" | wc -l) files"
exit $((status != 0))
