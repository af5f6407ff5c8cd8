#include "app/pixels.h"

// ---------------------------------------------------------------------------------------------
// Read and write
// ---------------------------------------------------------------------------------------------

static Uint8* pixelAddress(const SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + surface->pitch * y +
           surface->format->BytesPerPixel * x;
}

Uint32 readPixel(const SDL_Surface* surface, int x, int y) {
    return loadPixel(pixelAddress(surface, x, y), surface->format->BytesPerPixel);
}

void writePixel(SDL_Surface* surface, int x, int y, Uint32 value) {
    storePixel(pixelAddress(surface, x, y), surface->format->BytesPerPixel, value);
}

// ---------------------------------------------------------------------------------------------
// Locking and rectangles
// ---------------------------------------------------------------------------------------------

void lockPixels(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
}

void unlockPixels(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
}

SDL_Rect makeRect(int x, int y, int w, int h) {
    SDL_Rect rect = {};
    rect.x = Sint16(x);
    rect.y = Sint16(y);
    rect.w = Uint16(w);
    rect.h = Uint16(h);
    return rect;
}
