// The overlay's pass: backdrop, menu and clock bars while paused, then cursor and border.
#include "overlay/overlay.h"

#include "app/image.h"
#include "app/input.h"
#include "overlay/assets.h"
#include "overlay/clock.h"
#include "overlay/fade.h"
#include "overlay/menu.h"

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// False during the first pass only: the cursor, and with it mouse turning, starts with the
// second pass.
static bool cursorReady = false;

static constexpr int pointerFrame = 3;

// ---------------------------------------------------------------------------------------------
// Cursor
// ---------------------------------------------------------------------------------------------

// The pointer cursor centred on the pointer, from the second pass on. Mouse turning follows
// cursorDrawn, not whether the sheet loaded: without the image the player can still turn.
void drawCursors() {
    cursorDrawn = false;
    if (cursorReady) {
        cursorDrawn = true;
        blitCell(cursorSurface, &cursorFrames[pointerFrame], pointer.x - cursorFrameSize / 2,
                 pointer.y - cursorFrameSize / 2);
    }
    cursorReady = true;
}

// ---------------------------------------------------------------------------------------------
// Border
// ---------------------------------------------------------------------------------------------

void drawBorder() {
    blitCell(borderSurface, nullptr, 0, 0);
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
        refreshLocalTime();
        drawPauseMenu();
        drawClockBars();
    }
    drawCursors();
    drawBorder();
}
