#!/usr/bin/env bash
# Feeds mutated images to the game's image loaders for SECONDS (default 900) with libFuzzer
# (clang-14, AddressSanitizer and UndefinedBehaviorSanitizer), starting from the game's own
# art and the hostile corpus; then prints the executions and what it found. Not part of the
# suite: a run finds things rather than guards them. Exits 1 when it found a crash or a leak.
# Usage: tools/fuzz-images.sh [SECONDS]   (nice -n 10 is kind to a shared machine)
set -u
cd "$(dirname "$0")/.."
seconds=${1:-900}
. tools/deps.sh
install_missing_packages "${BUILD_PACKAGES[@]}" clang-14 python3 || exit 1
out=build-fuzz
mkdir -p "$out/corpus" "$out/findings"
python3 tools/hostile-images.py "$out/corpus" && cp Media/*/*.png "$out/corpus/" || exit 1
flags=(-g -O1 -std=c++17 -I. $(pkg-config --cflags sdl SDL_image) -fsanitize=fuzzer,address,undefined)
clang++-14 "${flags[@]}" tools/fuzz_images.cpp app/image.cpp app/pngcheck.cpp app/pixels.cpp app/frame.cpp \
    $(pkg-config --libs sdl SDL_image) -o "$out/fuzz-images" || exit 1
# Leaks are looked for too, but SDL's dummy display keeps what it was given until SDL_Quit.
ASAN_OPTIONS=detect_leaks=0 "$out/fuzz-images" -max_total_time="$seconds" -rss_limit_mb=512 \
    -max_len=65536 -artifact_prefix="$out/findings/" "$out/corpus" 2>"$out/fuzz.log"
status=$?
grep -E '^#[0-9]+ +DONE|^Done [0-9]+ runs' "$out/fuzz.log" | tail -n 2
echo "findings: $(find "$out/findings" -type f | wc -l) (in $out/findings), corpus: $(ls "$out/corpus" | wc -l) files"
exit $((status != 0))
