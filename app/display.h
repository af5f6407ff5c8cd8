// How the game's 640 x 480 frame reaches the player's screen: as the window itself (1x, the
// default), or copied whole-number times larger into a bigger window or onto the whole desktop,
// centred on black. Every drawing module still draws the 640 x 480 frame into `screen`.
#pragma once

#include <SDL.h>

// Where the frame lies on the video surface: its top left corner, in video pixels, and how
// many video pixels a side each frame pixel is shown as. At 1x in a window, {1, 0, 0}.
struct Presentation {
    int scale = 1;
    int left = 0;
    int top = 0;
};

// Set whenever the video mode is set; read by the pointer poll. {1, 0, 0} at start.
extern Presentation presentation;

// Called by the window's start-up after SDL's video started and before any video mode is set,
// the only moment SDL 1.2 tells the desktop's own size: the largest whole scale at which the
// frame fits the desktop, at least 1 (also when SDL does not say).
int largestScale();

// Called once by the window's start-up: opens the window at `scale` (1 is exactly the game's
// plain 640 x 480 window, drawn into directly), or the desktop-sized fullscreen, and points
// `screen` at the frame. False, with SDL's error left for the caller, when SDL could not.
bool openPresentation(int scale, bool fullscreen);

// Called by the main loop whenever the frame must reach the screen: it changed, or the window
// system lost the window's contents (wholeScreen, the black bars too). Copies the frame scaled
// when it is shown larger, then shows it.
void presentFrame(bool wholeScreen);

// Called by the main loop between passes when the player asks for the other mode: fullscreen
// becomes the window at the scale it had, a window becomes fullscreen. The frame in `screen`
// is kept and shown again at once. When SDL refuses the new mode the old one is set again;
// false when neither could be set, and there is no window left to play in.
bool toggleFullscreen();

// ---- For tests ------------------------------------------------------------------------------

// Copies every pixel of `frame` into a scale x scale block of `target` with the block of (0, 0)
// at (left, top). Both surfaces have the same format; `target` must hold the whole copy.
void scaleFrame(SDL_Surface* frame, SDL_Surface* target, Presentation at);
