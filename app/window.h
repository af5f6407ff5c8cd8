// The game's window: whether there is a display to open it on, and opening it.
#pragma once

// Called by main before anything is started: false when no window system is there to open a
// window on. Left to itself, SDL 1.2 would fall back to drawing in the terminal.
bool displayAvailable();

// Called once by main at start-up, after the art folder is chosen (the icon lies beside the
// art): starts SDL's video, sets the icon, hides the system pointer and opens the window as
// windowChoice asks, the 640 x 480 frame in `screen`. Returns 0 once it is open; otherwise,
// after a line on stderr saying why, the status to end with: 2 for a --scale the screen does
// not hold, 1 when SDL or the window could not be started.
int openWindow();
