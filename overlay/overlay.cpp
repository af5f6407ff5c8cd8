#include "overlay/overlay.h"

#include "app/frame.h"
#include "app/input.h"
#include "overlay/assets.h"
#include "overlay/backdrop.h"
#include "overlay/clock.h"
#include "overlay/menu.h"

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

bool cursorDrawn = false;
struct tm* localTime = nullptr;

// False during the first pass only: the cursor, and with it mouse turning, starts with the
// second pass.
static bool cursorReady = false;

constexpr int pointerFrame = 3;

// ---------------------------------------------------------------------------------------------
// Cursor
// ---------------------------------------------------------------------------------------------

// Mouse turning follows cursorDrawn, not whether the sheet loaded: without the image the
// player can still turn.
void drawCursors() {
    cursorDrawn = false;
    if (cursorReady) {
        cursorDrawn = true;
        SDL_Rect at = {};
        at.x = Sint16(pointer.x - cursorFrameSize / 2);
        at.y = Sint16(pointer.y - cursorFrameSize / 2);
        SDL_BlitSurface(cursorSurface, &cursorFrames[pointerFrame], screen, &at);
    }
    cursorReady = true;
}

// ---------------------------------------------------------------------------------------------
// Overlay pass
// ---------------------------------------------------------------------------------------------

// The fade tested here is the one after this pass's easing step, so the menu and bars show
// over the live view in the pass that opens the menu, and not at all in the pass a closing
// fade reaches 0.
void runOverlayFrame() {
    updateFrostedBackdrop();
    if (fadeLevel != 0.0) {
        const time_t now = time(nullptr);
        localTime = localtime(&now);
        drawPauseMenu();
        drawClockBars();
    }
    drawCursors();
    SDL_BlitSurface(borderSurface, nullptr, screen, nullptr);
}
