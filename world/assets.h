// The world's images: the wall texture, unpacked into colour planes, and the background.
#pragma once

#include <SDL.h>
#include <cstdint>

constexpr int wallTextureWidth = 400;  // texels, image columns 0..399
constexpr int wallTextureHeight = 258; // texels, image rows 0..257

// The wall image as the display reproduces it, one 8-bit plane per channel. Column-major:
// image column c, row r is at c * wallTextureHeight + r, so a screen column reads one run
// of 258 bytes per plane. Filled by loadWorldAssets; static storage, lives for the run.
struct WallTexture {
    uint8_t red[wallTextureWidth * wallTextureHeight];
    uint8_t green[wallTextureWidth * wallTextureHeight];
    uint8_t blue[wallTextureWidth * wallTextureHeight];
};
extern WallTexture wallTexture;

// The background drawn behind the walls at (0, 0), in display format with cyan keyed out;
// the key is dropped when no pixel matches it, which blits the same pixels faster. Null
// when the art folder's Game/background.png (app/media.h) could not be loaded, which stderr
// says. Never freed.
extern SDL_Surface* backgroundSurface;

// Called once by main, after the video mode is open and before the overlay's images:
// unpacks the art folder's Game/wall.png into wallTexture (a missing or small image leaves
// plain grey where it has no pixels, and says so on stderr), loads the background (saying
// so on stderr when it cannot) and puts the player at (1.5, 1.5) facing angle 0. The maze
// is made later, by the first world pass.
void loadWorldAssets();
