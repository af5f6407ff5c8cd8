// The layers the overlay draws over the backdrop, each alone, and the two whole passes, while
// playing and while paused, at 32 bits per pixel with the real art.
#include "app/input.h"
#include "bench.h"
#include "overlay/backdrop.h"
#include "overlay/clock.h"
#include "overlay/fade.h"
#include "overlay/menu.h"
#include "overlay/overlay.h"
#include "world/player.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {

// Wednesday 30 September 2026, 10:48:27: the longest date line.
struct tm wednesday() {
    struct tm t = {};
    t.tm_year = 126;
    t.tm_mon = 8;
    t.tm_mday = 30;
    t.tm_wday = 3;
    t.tm_hour = 10;
    t.tm_min = 48;
    t.tm_sec = 27;
    return t;
}

// The screen as the layers find it in a paused pass: the view at the start, captured,
// frosted and drawn at full fade.
std::vector<Uint8> frostedScreen;

// The overlay's picture of such a pass: full fade, "Resume game" lit, the cursor shown.
OverlayFrame pausedFrame;

// Open at full fade with the pointer resting on "Resume game", the left button up.
void pauseFully() {
    openGame();
    if (frostedScreen.empty()) {
        runWorldFrame();
        captureBackdrop();
        drawBackdrop(100.0); // the frost, whole
        const Uint8* pixels = static_cast<const Uint8*>(screen->pixels);
        frostedScreen.assign(pixels, pixels + size_t(screen->pitch) * size_t(screen->h));
    }
    static struct tm now = wednesday();
    localTime = &now;
    menuOpen = true;
    fadeLevel = 100.0;
    pointer = {320, 115};
    mouseButtonStates[SDL_BUTTON_LEFT] = Up;
    updateOverlay(); // the cursor shows from the second pass on
    pausedFrame = updateOverlay();
}

// Untimed, before every pass of a layer: the frost back on the screen, so a layer never
// draws over its own last drawing but over what the pass below it left.
void putBackTheFrost(benchmark::State& state) {
    state.PauseTiming();
    std::memcpy(screen->pixels, frostedScreen.data(), frostedScreen.size());
    state.ResumeTiming();
}

void border(benchmark::State& state) {
    pauseFully();
    for (auto _ : state) {
        putBackTheFrost(state);
        drawBorder();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(border)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

// At full fade the bars, the date and the clock stand still, as they do for all but the
// first and last 39 passes of a pause.
void barsWithText(benchmark::State& state) {
    pauseFully();
    for (auto _ : state) {
        putBackTheFrost(state);
        drawClockBars(pausedFrame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(barsWithText)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

// Sliding, as while the fade eases in or out: each pass at another level between 30 and 70,
// where the top bar and the date are cut by the screen's top edge.
double slidingFade(int pass) {
    return 30.0 + 40.0 * (pass % 25) / 25;
}

void barsSliding(benchmark::State& state) {
    pauseFully();
    int pass = 0;
    for (auto _ : state) {
        putBackTheFrost(state);
        OverlayFrame frame = pausedFrame;
        frame.fade = slidingFade(pass++);
        drawClockBars(frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(barsSliding)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

void pauseMenu(benchmark::State& state) {
    pauseFully();
    for (auto _ : state) {
        putBackTheFrost(state);
        drawPauseMenu(pausedFrame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(pauseMenu)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

void menuSliding(benchmark::State& state) {
    pauseFully();
    int pass = 0;
    for (auto _ : state) {
        putBackTheFrost(state);
        OverlayFrame frame = pausedFrame;
        frame.fade = slidingFade(pass++);
        updatePauseMenu(frame);
        drawPauseMenu(frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(menuSliding)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

// The overlay's whole pass at full fade, the local time read afresh as in the game: what a
// paused pass costs whenever the clock or the pointer moved.
void pausedPass(benchmark::State& state) {
    pauseFully();
    for (auto _ : state) {
        runOverlayFrame();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(pausedPass)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

// The world and the overlay over it, standing mid-maze with the pointer at the centre.
void playingPass(benchmark::State& state) {
    openGame();
    menuOpen = false;
    fadeLevel = 0.0;
    pointer = {320, 240};
    playerX = 17.5;
    playerY = 7.5;
    playerAngle = 90.0;
    for (auto _ : state) {
        runWorldFrame();
        runOverlayFrame();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(playingPass)->Apply(fixedPasses)->Unit(benchmark::kMicrosecond);

} // namespace
