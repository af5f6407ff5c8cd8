// Raw pixel access for surfaces of 1 to 4 bytes per pixel.
//
// The pixel (x, y) lies at pixels + pitch * y + BytesPerPixel * x. Rows are walked by
// pitch, never by width: SDL may pad them. Callers lock the surface where SDL_MUSTLOCK
// says so; these functions never lock and never check bounds.
#pragma once

#include <SDL.h>

// Called by the wall loader and the frosted backdrop. Returns the raw value: one byte, one
// 16-bit word, three bytes low byte first (b0 | b1 << 8 | b2 << 16) or one 32-bit word.
// Any other size reads as 0.
Uint32 readPixel(const SDL_Surface* surface, int x, int y);

// Called by the world view and the frosted backdrop. Stores a raw value in the same layout;
// for any other size it does nothing.
void writePixel(SDL_Surface* surface, int x, int y, Uint32 value);
