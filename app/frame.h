// The main loop's shared state and the steps that close each pass.
#pragma once

#include <SDL.h>
#include <cstdint>

// The display surface from SDL_SetVideoMode; set once at start-up, never freed. Every
// drawing module draws onto it. Null until the video mode is open.
extern SDL_Surface* screen;

// 1 once the window was closed or "Exit" was clicked; never cleared. The loop ends at the
// first test that finds it set.
extern uint8_t quitRequested;

// True once the window system said the window's contents were lost (another window covered
// it), so the frame on screen must be shown again even if nothing changed. Set by
// drainEvents; cleared by the main loop when it shows a frame.
extern bool screenExposed;

// Called by the main loop after the flip: empties SDL's queue, setting quitRequested when a
// quit event was among what it drops, and screenExposed when an expose event was.
void drainEvents();

// Called by the main loop last in each pass: sleeps out the rest of the period.
void paceFrame(Uint32 frameStart);

// ---- For tests ------------------------------------------------------------------------------

// How long a pass that started at frameStart and reads `now` must still sleep, in
// milliseconds; 0 when it has already lasted the 16 ms period (at most 62.5 passes a second). The
// difference is taken modulo 2^32, so a wrapping tick counter does not disturb it; a reading
// before frameStart (the clock set back) gives one whole period, never more.
Uint32 remainingFrameTime(Uint32 frameStart, Uint32 now);
