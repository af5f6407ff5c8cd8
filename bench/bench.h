// What every benchmark stands on: the game opened once, at 32 bits per pixel as it runs under
// X, with the real art from Media/ and one fixed maze. Run the benchmarks from the repository
// root with SDL_VIDEODRIVER=dummy so Media/ is found and no window opens.
#pragma once

#include "app/frame.h"
#include "overlay/assets.h"
#include "world/assets.h"
#include "world/view.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdlib>

// Called by every benchmark before its loop; only the first call opens anything, so the
// benchmarks may run in any order or alone.
inline void openGame() {
    if (screen) {
        return;
    }
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(640, 480, 32, 0);
    loadWorldAssets();
    loadOverlayAssets();
    std::srand(20261206);
    runWorldFrame(); // generates the maze
}

// Applied to every benchmark: with PLINT_BENCH_ITERATIONS=N in the environment each runs
// exactly N passes, as bench/callgrind-bench.sh needs to count their instructions.
inline void fixedPasses(benchmark::internal::Benchmark* benchmark) {
    if (const char* passes = std::getenv("PLINT_BENCH_ITERATIONS")) {
        benchmark->Iterations(std::atoll(passes));
    }
}
