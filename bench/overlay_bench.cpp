// The pause overlay's two costly steps at 32 bits per pixel: the capture (once per pause)
// and one blended backdrop (every pass while fading), plus a pass at full fade.
#include "app/pixels.h"
#include "bench.h"
#include "overlay/backdrop.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void paintNoise() {
    std::srand(5);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            writePixel(screen, x, y, Uint32(std::rand()) & 0xFFFFFF);
        }
    }
}

void BM_Capture(benchmark::State& state) {
    openGame();
    paintNoise();
    for (auto _ : state) {
        captureBackdrop();
    }
}
BENCHMARK(BM_Capture)->Apply(fixedPasses)->Unit(benchmark::kMillisecond);

void BM_BlendedFrame(benchmark::State& state) {
    openGame();
    paintNoise();
    captureBackdrop();
    for (auto _ : state) {
        drawBackdrop(47.3);
    }
}
BENCHMARK(BM_BlendedFrame)->Apply(fixedPasses)->Unit(benchmark::kMillisecond);

void BM_FullFadeFrame(benchmark::State& state) {
    openGame();
    paintNoise();
    captureBackdrop();
    for (auto _ : state) {
        drawBackdrop(100.0);
    }
}
BENCHMARK(BM_FullFadeFrame)->Apply(fixedPasses)->Unit(benchmark::kMillisecond);

} // namespace
