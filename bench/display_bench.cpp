// The frame shown larger: one scaled copy of the 640 x 480 frame at 32 bits per pixel, at 2x
// (the window of --scale 2, and fullscreen on a 1920 x 1080 desktop) and at 3x and 4x.
#include "app/display.h"
#include "bench.h"

#include <benchmark/benchmark.h>

namespace {

void scaledCopy(benchmark::State& state) {
    openGame();
    const int n = int(state.range(0));
    SDL_Surface* target =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 640 * n, 480 * n, 32, screen->format->Rmask,
                             screen->format->Gmask, screen->format->Bmask, 0);
    for (auto _ : state) {
        scaleFrame(screen, target, {n, 0, 0});
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(target);
}
BENCHMARK(scaledCopy)->Arg(2)->Arg(3)->Arg(4)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

} // namespace
