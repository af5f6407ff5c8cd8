// The pause menu: two framed buttons, "Resume game" and "Exit", that slide up with the fade,
// light up under the pointer and act on a fresh left click.
#pragma once

#include "overlay/picture.h"

// Called by updateOverlay in every pass in which the fade is not 0: places both buttons by
// the fade, notes which one the pointer lights and carries out a click (clears menuOpen, or
// sets quitRequested).
void updatePauseMenu(OverlayFrame& frame);

// Called by drawOverlay after the backdrop, in every pass in which the fade is not 0: both
// buttons where updatePauseMenu placed them, lit as it found them, with their labels.
void drawPauseMenu(const OverlayFrame& frame);
