// Escape's toggle and the fade that eases the pause overlay in and out.
#include "overlay/fade.h"

#include "app/input.h"

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

bool menuOpen = false;
double fadeLevel = 0.0;

static constexpr int escapeKey = 27;

// ---------------------------------------------------------------------------------------------
// Fade
// ---------------------------------------------------------------------------------------------

// Reopening during a fade-out captures nothing: the world has not drawn since the last
// capture, so the stored frame is still the one on display.
bool updateFade() {
    if (keyStates[escapeKey] != Pressed) {
        return false;
    }
    menuOpen = !menuOpen;
    return menuOpen && fadeLevel == 0.0;
}

// A fifteenth of the distance plus a half step, so the fade arrives and then snaps exactly.
void easeFadeLevel() {
    if (menuOpen) {
        const double next = (fadeLevel * 14 + 100) / 15 + 0.5;
        fadeLevel = next > 100 ? 100.0 : next;
    } else {
        const double next = (fadeLevel * 14 + 0) / 15 - 0.5;
        fadeLevel = next < 0 ? 0.0 : next;
    }
}

int slideWithFade(double fade, int closed, int open) {
    return int(((100 - fade) / 100) * closed + (fade / 100) * open);
}
