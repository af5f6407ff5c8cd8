// Per-pass input state: what each key and mouse button did since the previous pass, where
// the pointer is, and whether the pointer is shown; everyone polls it.
#pragma once

#include "app/display.h"

#include <SDL.h>
#include <cstdint>

// The state of one key or mouse button, stored as a 32-bit value.
enum KeyState : int32_t {
    Up = 0,      // not down
    Held = 1,    // down, and already down at the previous poll
    Pressed = 2, // went down since the previous poll; lasts exactly one pass
};

// A position in screen pixels.
struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};
inline bool operator==(ScreenPoint a, ScreenPoint b) {
    return a.x == b.x && a.y == b.y;
}

constexpr int keyCount = 500;        // SDL key symbols 0..499; higher symbols are dropped
constexpr int mouseButtonCount = 10; // SDL button numbers 0..9 (1 left, 3 right); entry 0 unused

// By SDL key symbol (27 Escape, 119 W, 273 Up arrow...). All Up at start.
extern KeyState keyStates[keyCount];
// By SDL mouse button number. All Up at start.
extern KeyState mouseButtonStates[mouseButtonCount];
// The mouse position in the frame's pixels, whatever the scale the frame is shown at, clamped
// to 0..640 by 0..480, both bounds included: over the black bars it is held at the frame's
// edge. (0, 0) at start.
extern ScreenPoint pointer;

// True when the overlay drew the pointer cursor in its latest pass (every pass but the very
// first); false at start. Written by the overlay's drawOverlay, read by the player's motion
// in the next pass: the pointer turns the view only once the player can see it.
extern bool cursorDrawn;

// Called by the main loop once per pass, after SDL_PumpEvents and before the world and the
// overlay. Takes only key and mouse-button events out of SDL's queue; motion, quit and
// window events stay queued for the loop's drain.
void updateInput();

// Called by main between passes: Alt+Enter or F11 went down in this pass, asking for the whole
// screen or the window back.
bool fullscreenAsked();

// ---- For tests ------------------------------------------------------------------------------

// Where the mouse at (x, y) on the video surface lies in the frame shown as `shown`, clamped.
ScreenPoint pointerInFrame(int x, int y, Presentation shown);
