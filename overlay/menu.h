// The pause menu: two framed buttons, "Resume game" and "Exit", that slide up with the fade,
// light up under the pointer and act on a fresh left click.
#pragma once

// Called by menuButton: a 342 x 57 frame of 51 button-sheet pieces whose middle band starts
// at (x, y) in screen pixels; highlighted (0 or 1) picks the sheet's row.
void drawButtonFrame(int x, int y, int highlighted);

// Called by drawPauseMenu for each button: draws the button centred on row y with its label
// and answers whether the left button went down over it in this pass.
bool menuButton(int y, const char* label);

// Called by runOverlayFrame in every pass in which the fade is not 0: places both buttons by
// the fade and carries out a click (clears menuOpen, or sets quitRequested).
void drawPauseMenu();
