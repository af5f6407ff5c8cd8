// The frosted backdrop: Escape freezes the frame, a frosted (blurred, washed-out) copy of it
// fades in over the sharp one, and fades out again when the menu closes.
#pragma once

#include <SDL.h>
#include <cstdint>

// The fade's target: true while the pause menu is open. False at start. Toggled by Escape
// here; cleared by the menu's "Resume game".
extern bool menuOpen;

// 0 (overlay gone, the world runs) to 100 (the frost covers the screen), 0.0 at start. Only
// updateFrostedBackdrop writes it; it comes to rest on exactly 0.0 and exactly 100.0, so
// others compare it with 0 exactly.
extern double fadeLevel;

// Called by runOverlayFrame first in every pass, after the world (if any) drew the frame:
// Escape, the capture when the menu opens from rest, the backdrop, one easing step.
void updateFrostedBackdrop();

// The captured frames are column-major, channel c of pixel (x, y) at x * 1440 + y * 3 + c.
constexpr int backdropWidth = 640;
constexpr int backdropHeight = 480;
constexpr int backdropColumnBytes = backdropHeight * 3;
constexpr int backdropBytes = backdropWidth * backdropColumnBytes;

// Called by the capture; exposed for tests. One blur pass over the pixels whose four
// samples, d pixels away left, right, up and down, lie inside the frame: each channel
// becomes (the four samples + addend) / 4. Other pixels of `to` keep what they held.
void crossAverage(const uint8_t* from, uint8_t* to, int distance, int addend);

// Called by the capture; exposed for tests. One channel washed towards light tones.
uint8_t washOut(uint8_t channel);

// Called by updateFrostedBackdrop; exposed for tests. The level one pass later, heading for
// 100 when open and 0 when not; it snaps onto those two exactly.
double easeFade(double level, bool open);

// Called by the menu and the clock bars: where an element that sits at `closed` at fade 0 and
// at `open` at fade 100 stands at `fade`, truncated toward zero.
int slideWithFade(double fade, int closed, int open);
