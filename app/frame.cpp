// The end of every pass: the leftover events drained and the pass paced to 16 ms.
#include "app/frame.h"

// ---- State ----------------------------------------------------------------------------------

SDL_Surface* screen = nullptr;
uint8_t quitRequested = 0;
bool screenExposed = false;

static constexpr int32_t framePeriodMs = 16;

// ---- End of a pass --------------------------------------------------------------------------

// The input poll took the key and button events; motion, focus and window events are left.
void drainEvents() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
        if (event.type == SDL_QUIT) {
            quitRequested = 1;
        } else if (event.type == SDL_VIDEOEXPOSE) {
            screenExposed = true;
        }
    }
}

// The classic library's ticks follow the wall clock, which NTP, `date -s` or a restored virtual
// machine may set back by any amount: a reading before the pass's start says nothing of how long
// the pass took, and sleeping "16 ms plus the step" would freeze the game, deaf to SIGTERM, for
// as long as the step. So no pass sleeps longer than one period, whatever the readings.
Uint32 remainingFrameTime(Uint32 frameStart, Uint32 now) {
    const int32_t elapsed = int32_t(now - frameStart);
    if (elapsed < 0) {
        return framePeriodMs;
    }
    return elapsed < framePeriodMs ? Uint32(framePeriodMs - elapsed) : 0;
}

// The delay is worked out once, from a reading fresh at the sleep: a pass that crossed the
// 16 ms mark after the test sleeps not at all (SDL_Delay(0) returns at once).
void paceFrame(Uint32 frameStart) {
    if (remainingFrameTime(frameStart, SDL_GetTicks()) > 0) {
        SDL_Delay(remainingFrameTime(frameStart, SDL_GetTicks()));
    }
}
