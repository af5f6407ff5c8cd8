// The pause menu: two framed buttons, "Resume game" and "Exit", that slide up with the fade,
// light up under the pointer and act on a fresh left click.
#pragma once

// Called by runOverlayFrame in every pass in which the fade is not 0: places both buttons by
// the fade and carries out a click (clears menuOpen, or sets quitRequested).
void drawPauseMenu();

// ---------------------------------------------------------------------------------------------
// For tests
// ---------------------------------------------------------------------------------------------

// A 342 x 57 frame of 51 button-sheet pieces whose middle band starts at (x, y) in screen
// pixels; highlighted (0 or 1) picks the sheet's row.
void drawButtonFrame(int x, int y, int highlighted);
