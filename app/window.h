// The game's window: whether there is a display to open it on, and opening it.
#pragma once

#include <string>

// Called by main before anything is started: "" when a window may be tried, naming SDL's X
// driver when the classic library must not choose (left to itself it would fall back to
// drawing in the terminal); otherwise why there is no window system to open one on.
std::string displayRefusal();

// Called once by main at start-up: starts SDL's video, sets the game's own icon (iconPath; a bad
// one is named on stderr and left out), hides the system pointer and opens the window as
// windowChoice asks, the 640 x 480 frame in `screen`. Returns 0 once it is open; otherwise,
// after a line on stderr saying why, the status to end with: 2 for a --scale the screen does
// not hold, 1 when SDL or the window could not be started (a display that cannot be opened is
// named).
int openWindow();
