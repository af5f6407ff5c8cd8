// The overlay's pass: backdrop, menu and clock bars while paused, then cursor and border.
#include "overlay/overlay.h"

#include "app/image.h"
#include "overlay/assets.h"
#include "overlay/backdrop.h"
#include "overlay/clock.h"
#include "overlay/fade.h"
#include "overlay/menu.h"

// ---- State ----------------------------------------------------------------------------------

static OverlayFrame current;

// False in the first pass only: the cursor, and mouse turning with it, start in the second.
static bool cursorReady = false;

static constexpr int pointerFrame = 3;

// ---- Update ---------------------------------------------------------------------------------

// Escape, the frozen frame's capture and the fade's easing step: the backdrop's half of the
// picture, the levels it is drawn at before and after the step.
static void updateFrostedBackdrop(OverlayFrame& frame) {
    frame.capture = updateFade();
    frame.backdropLevel = fadeLevel;
    easeFadeLevel();
    frame.fade = fadeLevel;
}

// The fade judged here is the one after this pass's easing step, so the menu and bars show over
// the live view in the pass that opens the menu, and not in the pass a closing fade reaches 0.
const OverlayFrame& updateOverlay() {
    current = OverlayFrame();
    updateFrostedBackdrop(current);
    if (fadeLevel != 0.0) {
        refreshLocalTime();
        updatePauseMenu(current);
        composeClockBars(current);
    }
    current.cursorDrawn = cursorReady;
    current.cursorAt = cursorReady ? pointer : ScreenPoint();
    cursorReady = true;
    return current;
}

// ---- Drawing --------------------------------------------------------------------------------

// Mouse turning follows cursorDrawn, not the sheet: without the image the player still turns.
static void drawCursors(const OverlayFrame& frame) {
    cursorDrawn = frame.cursorDrawn;
    if (frame.cursorDrawn) {
        const SDL_Rect& cell = cursorFrames[pointerFrame]; // the frame's visible part
        blitCell(cursorSurface, &cell,
                 frame.cursorAt.x - cursorFrameSize / 2 + cell.x - cursorFrameSize * pointerFrame,
                 frame.cursorAt.y - cursorFrameSize / 2 + cell.y);
    }
}

void drawBorder() {
    blitCell(borderSurface, nullptr, 0, 0);
}

void drawOverlay(const OverlayFrame& frame) {
    if (frame.capture) {
        captureBackdrop();
    }
    drawBackdrop(frame.backdropLevel);
    if (frame.fade != 0.0) {
        drawPauseMenu(frame);
        drawClockBars(frame);
    }
    drawCursors(frame);
    drawBorder();
}

void runOverlayFrame() {
    drawOverlay(updateOverlay());
}
