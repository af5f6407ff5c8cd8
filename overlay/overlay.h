// The pause overlay's per-pass driver, split as a game splits its ticker from its drawer.
#pragma once

#include "overlay/picture.h"

// Called by main once per pass, after the world's update and before anything is drawn:
// toggles the menu on Escape, eases the fade, judges the menu's buttons at the eased fade
// (clearing menuOpen or setting quitRequested on a click), reads the local time while the
// overlay shows. Returns the overlay's picture for this pass.
const OverlayFrame& updateOverlay();

// Called by main after the world drew (if it did) and before the flip, with what
// updateOverlay returned. Draws, from the bottom up: backdrop (capturing the screen first when
// the menu opened from rest), menu, clock bars, pointer cursor (setting cursorDrawn), border.
void drawOverlay(const OverlayFrame& frame);

// Called by drawOverlay last in every pass: the border image whole at (0, 0), over
// everything else; its cyan pixels leave the screen as it was.
void drawBorder();

// ---- For tests and benchmarks ---------------------------------------------------------------

// updateOverlay, then drawOverlay with its picture: one overlay pass.
void runOverlayFrame();
