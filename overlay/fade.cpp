// Escape's toggle and the fade that eases the pause overlay in and out.
#include "overlay/fade.h"

#include "app/input.h"

#include <algorithm>

// ---- State ----------------------------------------------------------------------------------

bool menuOpen = false;
double fadeLevel = 0.0;

static constexpr int escapeKey = 27;

// ---- Fade -----------------------------------------------------------------------------------

// Reopening during a fade-out captures nothing: the world has not drawn since the last capture.
bool updateFade() {
    if (keyStates[escapeKey] != Pressed) {
        return false;
    }
    menuOpen = !menuOpen;
    return menuOpen && fadeLevel == 0.0;
}

// A fifteenth of the distance plus a half step, so the fade arrives and then snaps exactly;
// either way it can only overshoot the end it heads for.
void easeFadeLevel() {
    const double target = menuOpen ? 100 : 0;
    const double halfStep = menuOpen ? 0.5 : -0.5;
    fadeLevel = std::clamp((fadeLevel * 14 + target) / 15 + halfStep, 0.0, 100.0);
}

int slideWithFade(double fade, int closed, int open) {
    return int(((100 - fade) / 100) * closed + (fade / 100) * open);
}
