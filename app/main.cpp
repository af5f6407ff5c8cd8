// Plint: start-up and the main loop, the one file that reaches into world/ and overlay/.

#include "app/cli.h"
#include "app/display.h"
#include "app/fields.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/media.h"
#include "app/window.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/overlay.h"
#include "world/assets.h"
#include "world/player.h"
#include "world/view.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <optional>
#include <tuple>

// ---- Start-up -------------------------------------------------------------------------------

// An image SDL cannot find memory for is only missing (the loaders say which); the game's own
// tables and paths are not optional, so when they cannot be had the game says so and ends.
static bool hadMemoryFor(void (*step)()) {
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
        std::fputs("plint: not enough memory for the images' paths and tables\n", stderr);
        return false;
    }
}

static void loadAssets() {
    loadWorldAssets();
    loadOverlayAssets();
}

// ---- Main loop ------------------------------------------------------------------------------

// Everything a frame's pixels depend on besides the art and the maze (carved once, before the
// world first draws): the player's pose while the world is drawn, and the overlay's picture.
struct FrameState {
    bool worldShown = false; // the world drew the view: the fade rests at 0, the maze is carved
    double x = 0.0;          // the pose it drew
    double y = 0.0;
    double angle = 0.0;
    OverlayFrame overlay;
};

// Every field of FrameState, once; a field left out would freeze the screen when only it changes.
static auto tied(const FrameState& s) {
    return std::tie(s.worldShown, s.x, s.y, s.angle, s.overlay);
}
static_assert(std::tuple_size_v<decltype(tied(FrameState()))> == fieldCount<FrameState>(),
              "every field of FrameState is listed in tied()");

static bool operator==(const FrameState& a, const FrameState& b) {
    return tied(a) == tied(b);
}

static std::optional<FrameState> lastShown; // none before the first pass

// Every update runs before anything is drawn, in the order the world and the overlay would
// run: the world only while the overlay is wholly gone (the fade rests on exactly 0.0; any
// other level shows the frozen frame instead). An unchanged frame is neither drawn nor
// flipped: the screen still holds it, and is shown again only when the window system lost it.
// Alt+Enter or F11 switches the mode after the pass, the frame just drawn shown again at once.
// False when the new mode and the old both failed: there is no window left.
static bool runPass() {
    const Uint32 frameStart = SDL_GetTicks();
    SDL_PumpEvents();
    updateInput();
    FrameState state;
    state.worldShown = fadeLevel == 0.0 && updateWorld();
    if (state.worldShown) { // the whole pose at once: a coordinate left behind would freeze it
        std::tie(state.x, state.y, state.angle) = std::tie(playerX, playerY, playerAngle);
    }
    state.overlay = updateOverlay();
    const bool changed = !lastShown || !(state == *lastShown);
    if (changed) {
        if (state.worldShown) {
            drawWorld();
        }
        drawOverlay(state.overlay);
        lastShown = state;
    }
    if (changed || screenExposed) {
        presentFrame(screenExposed);
        screenExposed = false;
    }
    if (fullscreenAsked() && !toggleFullscreen()) {
        tell(std::string("plint: cannot switch the window: ") + SDL_GetError() + "\n", stderr);
        return false;
    }
    drainEvents();
    paceFrame(frameStart);
    return true;
}

int main(int argc, char** argv) {
    const Answer answer = answerArguments(argc, argv);
    if (answer != Answer::Play) {
        return answer == Answer::Done ? 0 : answer == Answer::Unwritten ? 1 : 2;
    }
    const std::string refusal = displayRefusal();
    if (!refusal.empty()) {
        std::fprintf(stderr, "plint: %s\n", refusal.c_str());
        return 1;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Before the window: the window's icon lies beside the art.
    if (!hadMemoryFor([] { findMedia(); })) {
        return 1;
    }
    if (const int status = openWindow(); status != 0) {
        return status;
    }
    if (!hadMemoryFor(loadAssets)) {
        return 1;
    }
    while (!quitRequested) {
        if (!runPass()) {
            return 1;
        }
    }
    return 0;
}
