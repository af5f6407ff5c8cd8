// Loading the wall texture and the background, and placing the player at the start.
#include "world/assets.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/media.h"
#include "app/pixels.h"
#include "world/player.h"

#include <algorithm>
#include <cstdio>
#include <string>

// ---- State ----------------------------------------------------------------------------------

WallTexture wallTexture = {};
SDL_Surface* backgroundSurface = nullptr;

// Where the wall image has no pixels the walls are grey blocks with a darker rim, so the
// maze still reads as a maze.
static constexpr uint8_t plainGrey = 128;
static constexpr uint8_t plainRim = 96;

// ---- Helpers --------------------------------------------------------------------------------

static void setTexel(int c, int r, uint8_t red, uint8_t green, uint8_t blue) {
    const int n = c * wallTextureHeight + r;
    wallTexture.red[n] = red;
    wallTexture.green[n] = green;
    wallTexture.blue[n] = blue;
}

static void fillPlainTexture() {
    for (int c = 0; c < wallTextureWidth; ++c) {
        for (int r = 0; r < wallTextureHeight; ++r) {
            const bool rim =
                c == 0 || r == 0 || c == wallTextureWidth - 1 || r == wallTextureHeight - 1;
            const uint8_t grey = rim ? plainRim : plainGrey;
            setTexel(c, r, grey, grey, grey);
        }
    }
}

// The wall surface is in the display's format, so the display's format decodes it: on a
// display with fewer bits per channel the planes hold the colours as they will be shown.
static void readWallPixels(SDL_Surface* wall) {
    const PixelLayout layout = describePixels(screen->format);
    const int columns = std::min(wall->w, wallTextureWidth);
    const int rows = std::min(wall->h, wallTextureHeight);
    SDL_LockSurface(wall);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            Uint8 red = 0, green = 0, blue = 0;
            unpackColour(layout, readPixel(wall, c, r), &red, &green, &blue);
            setTexel(c, r, red, green, blue);
        }
    }
    SDL_UnlockSurface(wall);
}

static constexpr ImageLimit wallLimit = {2 * wallTextureWidth, 2 * wallTextureHeight};

static void loadWallTexture() {
    fillPlainTexture();
    const std::string wallFile = mediaPath("Game/wall.png");
    SDL_Surface* wall = loadImage(wallFile.c_str(), wallLimit);
    if (!wall) {
        std::fprintf(stderr, "plint: %s; the walls are plain grey\n", loadFailure());
        return;
    }
    if (wall->w < wallTextureWidth || wall->h < wallTextureHeight) {
        std::fprintf(stderr, "plint: %s is %d x %d, smaller than %d x %d; the rest is plain grey\n",
                     wallFile.c_str(), wall->w, wall->h, wallTextureWidth, wallTextureHeight);
    }
    readWallPixels(wall);
    SDL_FreeSurface(wall);
}

// SDL's keyed blit skips a pixel when its colour bits equal the key's; the alpha bits play
// no part. Without such a pixel the keyed blit is a plain copy, which SDL does far faster.
static bool holdsColourKey(SDL_Surface* surface) {
    const Uint32 colourBits = ~surface->format->Amask;
    const Uint32 key = surface->format->colorkey & colourBits;
    bool found = false;
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h && !found; ++y) {
        for (int x = 0; x < surface->w && !found; ++x) {
            found = (readPixel(surface, x, y) & colourBits) == key;
        }
    }
    SDL_UnlockSurface(surface);
    return found;
}

static void loadBackground() {
    const std::string backgroundFile = mediaPath("Game/background.png");
    backgroundSurface = loadImage(backgroundFile.c_str(), screenImageLimit);
    if (!backgroundSurface) {
        std::fprintf(stderr, "plint: %s; the background is plain dark grey\n", loadFailure());
    } else if (!holdsColourKey(backgroundSurface)) {
        SDL_SetColorKey(backgroundSurface, 0, 0);
    }
}

// ---- Loading --------------------------------------------------------------------------------

void loadWorldAssets() {
    loadWallTexture();
    loadBackground();
    playerX = 1.5; // the centre of room (1, 1), which every maze leaves open
    playerY = 1.5;
    playerAngle = 0.0;
}
