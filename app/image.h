// Images: PNG files loaded into surfaces in the display's pixel format, so drawing them later
// needs no conversion, and the one way every module draws a picture or a cell of a sheet.
#pragma once

#include "app/pngcheck.h"

#include <SDL.h>

// What the whole-screen images (the background, the border) may be: twice 640 x 480 a side,
// at most 4.9 MB decoded, the largest any image may be.
constexpr ImageLimit screenImageLimit = {1280, 960};

// Called by the asset loaders at start-up, after the video mode is set. Returns a new display-
// format surface whose cyan (0, 255, 255) pixels blits skip, owned by the caller; or null when
// the file cannot be loaded or converted, or is not a PNG within `limit` by its header.
SDL_Surface* loadImage(const char* fileName, ImageLimit limit = screenImageLimit);

// As loadImage, but the surface keeps the file's own alpha channel and has no colour key.
SDL_Surface* loadAlphaImage(const char* fileName, ImageLimit limit = screenImageLimit);

// Called for the window's icon, before the video mode is set: the PNG as it is decoded, after
// the same checks as loadImage; null when it is refused, with loadFailure saying why.
SDL_Surface* loadUnconverted(const char* fileName, ImageLimit limit);

// After a load that gave null, until the next: why, naming the file, such as "cannot load
// Media/Game/wall.png" or "Media/Game/wall.png is a BMP, not a PNG".
const char* loadFailure();

// Called by every layer that draws a picture: blits `cell` of `sheet` (all of it when null) with
// its top left corner at (x, y) on the screen, clipped by SDL. A null sheet draws nothing.
void blitCell(SDL_Surface* sheet, const SDL_Rect* cell, int x, int y);
