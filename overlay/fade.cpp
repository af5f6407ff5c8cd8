// Escape's toggle and the fade that eases the pause overlay in and out.
#include "overlay/fade.h"

#include "app/input.h"
#include "overlay/backdrop.h"

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

bool menuOpen = false;
double fadeLevel = 0.0;

static constexpr int escapeKey = 27;

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

// Reopening during a fade-out captures nothing: the world has not drawn since the last
// capture, so the stored frame is still the one on display. Returns whether to capture.
static bool toggleOnEscape() {
    if (keyStates[escapeKey] != Pressed) {
        return false;
    }
    menuOpen = !menuOpen;
    return menuOpen && fadeLevel == 0.0;
}

// ---------------------------------------------------------------------------------------------
// Fade
// ---------------------------------------------------------------------------------------------

// A fifteenth of the distance plus a half step, so the fade arrives and then snaps exactly.
double easeFade(double level, bool open) {
    if (open) {
        const double next = (level * 14 + 100) / 15 + 0.5;
        return next > 100 ? 100.0 : next;
    }
    const double next = (level * 14 + 0) / 15 - 0.5;
    return next < 0 ? 0.0 : next;
}

int slideWithFade(double fade, int closed, int open) {
    return int(((100 - fade) / 100) * closed + (fade / 100) * open);
}

// The backdrop is drawn from the level before this pass's easing step.
void updateFrostedBackdrop() {
    if (toggleOnEscape()) {
        captureBackdrop();
    }
    drawBackdrop(fadeLevel);
    fadeLevel = easeFade(fadeLevel, menuOpen);
}
