// Images: PNG files loaded into surfaces in the display's pixel format, so drawing them later
// needs no conversion, and the one way every module draws a picture or a cell of a sheet.
#pragma once

#include <SDL.h>

// Called by the asset loaders at start-up, after the video mode is set. Returns a new
// display-format surface whose cyan (0, 255, 255) pixels are skipped by blits, or null when
// the file cannot be loaded or converted. The caller owns the surface.
SDL_Surface* loadImage(const char* fileName);

// As loadImage, but the surface keeps the file's own alpha channel and has no colour key.
SDL_Surface* loadAlphaImage(const char* fileName);

// Called by every layer that draws a picture: blits `cell` of `sheet` (the whole sheet when
// cell is null) with its top left corner at (x, y) on the screen, clipped by SDL. A null
// sheet draws nothing.
void blitCell(SDL_Surface* sheet, const SDL_Rect* cell, int x, int y);
