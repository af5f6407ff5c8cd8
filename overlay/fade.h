// The pause state: whether the menu is open, how far the overlay has faded in, Escape's
// toggle, and where the sliding elements stand at a given fade.
#pragma once

// The fade's target: true while the pause menu is open. False at start. Toggled by Escape
// in updateFrostedBackdrop; cleared by the menu's "Resume game".
extern bool menuOpen;

// 0 (overlay gone, the world runs) to 100 (the frost covers the screen), 0.0 at start. Only
// updateFrostedBackdrop writes it; it comes to rest on exactly 0.0 and exactly 100.0, so
// others compare it with 0 exactly.
extern double fadeLevel;

// Called by runOverlayFrame first in every pass, after the world (if any) drew the frame:
// Escape (with the capture when the menu opens from rest), the backdrop at the current
// level, then one easing step of fadeLevel.
void updateFrostedBackdrop();

// Called by the menu and the clock bars: where an element that sits at `closed` at fade 0 and
// at `open` at fade 100 stands at `fade`, in pixels, truncated toward zero.
int slideWithFade(double fade, int closed, int open);

// ---------------------------------------------------------------------------------------------
// For tests
// ---------------------------------------------------------------------------------------------

// The level one pass later, heading for 100 when open and 0 when not; it snaps onto those
// two exactly.
double easeFade(double level, bool open);
