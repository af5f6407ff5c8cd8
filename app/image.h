// Loading PNG images into surfaces in the display's pixel format, so drawing them later
// needs no conversion. Both need the video mode to be set.
#pragma once

#include <SDL.h>

// Called by the asset loaders at start-up. Returns a new display-format surface whose cyan
// (0, 255, 255) pixels are skipped by blits, or null when the file cannot be loaded or
// converted. The caller owns the surface.
SDL_Surface* loadImage(const char* fileName);

// As loadImage, but the surface keeps the file's own alpha channel and has no colour key.
SDL_Surface* loadAlphaImage(const char* fileName);
