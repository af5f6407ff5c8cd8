// Per-pass input state: what each key and mouse button did since the previous pass, and
// where the pointer is. Only updateInput writes it; everyone else polls it.
#pragma once

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

constexpr int keyCount = 500;        // SDL key symbols 0..499; higher symbols are dropped
constexpr int mouseButtonCount = 10; // SDL button numbers 0..9 (1 left, 3 right); entry 0 unused

// By SDL key symbol (27 Escape, 119 W, 273 Up arrow...). All Up at start.
extern KeyState keyStates[keyCount];
// By SDL mouse button number. All Up at start.
extern KeyState mouseButtonStates[mouseButtonCount];
// The mouse position, clamped to 0..640 by 0..480, both bounds included. (0, 0) at start.
extern ScreenPoint pointer;

// Called by the main loop once per pass, after SDL_PumpEvents and before the world and the
// overlay. Takes only key and mouse-button events out of SDL's queue; motion, quit and
// window events stay queued for the loop's drain.
void updateInput();

// Called by updateInput: the mouse position kept within 0..640 by 0..480. The upper bounds
// are one past the last pixel: SDL never reports them, but they are valid positions.
ScreenPoint clampPointer(int x, int y);
