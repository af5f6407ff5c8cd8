// The pause state: whether the menu is open, how far the overlay has faded in, Escape's
// toggle, and where the sliding elements stand at a given fade.
#pragma once

// The fade's target: true while the pause menu is open. False at start. Toggled by Escape
// in updateFade; cleared by the menu's "Resume game".
extern bool menuOpen;

// 0 (overlay gone, the world runs) to 100 (the frost covers the screen), 0.0 at start. Only
// easeFadeLevel writes it; it comes to rest on exactly 0.0 and exactly 100.0, so others
// compare it with 0 exactly.
extern double fadeLevel;

// Called by updateOverlay first in every pass: Escape toggles menuOpen. Returns true when it
// opened the menu from rest (the fade at exactly 0), so the frame on screen is to be frozen.
bool updateFade();

// Called by updateOverlay right after updateFade, every pass: one easing step of fadeLevel,
// heading for 100 while the menu is open and 0 while it is not; it snaps onto those two.
void easeFadeLevel();

// Called by the menu and the clock bars: where an element that sits at `closed` at fade 0 and
// at `open` at fade 100 stands at `fade`, in pixels, truncated toward zero.
int slideWithFade(double fade, int closed, int open);
