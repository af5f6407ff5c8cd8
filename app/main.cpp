// Plint: start-up and the main loop, the one file that reaches into world/ and overlay/.

#include "app/frame.h"
#include "app/input.h"
#include "app/media.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/overlay.h"
#include "world/assets.h"
#include "world/view.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>

// ---------------------------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------------------------

// SDL_INIT_EVERYTHING reports failure on machines without sound or a joystick although
// video works, so its result decides nothing: opening the video mode does.
static bool openWindow() {
    SDL_Init(SDL_INIT_EVERYTHING);
    SDL_ShowCursor(SDL_DISABLE);
    screen = SDL_SetVideoMode(640, 480, 0, SDL_DOUBLEBUF);
    if (!screen) {
        std::fprintf(stderr, "plint: cannot open the 640x480 window: %s\n", SDL_GetError());
        return false;
    }
    SDL_WM_SetCaption("Plint", nullptr);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Main loop
// ---------------------------------------------------------------------------------------------

// The world runs only while the overlay is wholly gone: the fade rests on exactly 0.0, and
// any other level shows the frozen frame instead.
static void runPass() {
    const Uint32 frameStart = SDL_GetTicks();
    SDL_PumpEvents();
    updateInput();
    if (fadeLevel == 0.0) {
        runWorldFrame();
    }
    runOverlayFrame();
    SDL_Flip(screen);
    drainEvents();
    paceFrame(frameStart);
}

int main(int, char**) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!openWindow()) {
        return 1;
    }
    findMedia();
    loadWorldAssets();
    loadOverlayAssets();
    while (!quitRequested) {
        runPass();
    }
    return 0;
}
