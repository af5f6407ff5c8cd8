// Blending the images that carry their own alpha (the overlay's font, buttons and cursor)
// onto the screen with the classic SDL 1.2 library's own arithmetic, whichever SDL runs the
// game: the compatibility library blends through SDL 2, which rounds otherwise, and the same
// maze and input must show the same pixels everywhere.
#pragma once

#include <SDL.h>

// Called by blitCell for every sheet it draws. When `sheet` has per-pixel alpha in 8-bit
// channels of a 4-byte pixel and `target` is 1 to 4 bytes a pixel, blends the `from` part of
// it onto `target` with its top left corner at `at` (clipped as SDL_BlitSurface clips:
// to the sheet, then to the target's clip rectangle) and returns true. Otherwise it draws
// nothing and returns false: SDL's own blit is the one for such a sheet.
bool blendAlphaImage(SDL_Surface* sheet, SDL_Rect from, SDL_Surface* target, SDL_Rect at);
