// Raw pixel access for surfaces of 1 to 4 bytes per pixel, and the small pieces every
// drawing module shares: locking around pixel loops and building rectangles.
//
// The pixel (x, y) lies at pixels + pitch * y + BytesPerPixel * x. Rows are walked by
// pitch, never by width: SDL may pad them. None of these functions check bounds.
#pragma once

#include <SDL.h>
#include <cstring>

// Called by the pixel loops that walk rows themselves, and by readPixel: the raw value at p
// on a surface of `bytesPerPixel`: one byte, one 16-bit word, three bytes low byte first
// (b0 | b1 << 8 | b2 << 16) or one 32-bit word. Any other size reads as 0.
inline Uint32 loadPixel(const Uint8* p, int bytesPerPixel) {
    Uint16 word16 = 0;
    Uint32 word32 = 0;
    switch (bytesPerPixel) {
    case 1:
        return p[0];
    case 2:
        std::memcpy(&word16, p, sizeof word16);
        return word16;
    case 3:
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    case 4:
        std::memcpy(&word32, p, sizeof word32);
        return word32;
    default:
        return 0;
    }
}

// Called by the pixel loops that walk rows themselves, and by writePixel: stores a raw value
// in the same layout; for any other size it does nothing.
inline void storePixel(Uint8* p, int bytesPerPixel, Uint32 value) {
    const Uint16 word16 = Uint16(value);
    switch (bytesPerPixel) {
    case 1:
        p[0] = Uint8(value);
        break;
    case 2:
        std::memcpy(p, &word16, sizeof word16);
        break;
    case 3:
        p[0] = Uint8(value);
        p[1] = Uint8(value >> 8);
        p[2] = Uint8(value >> 16);
        break;
    case 4:
        std::memcpy(p, &value, sizeof value);
        break;
    default:
        break;
    }
}

// Called by the wall loader and the frosted backdrop: the raw value of (x, y).
Uint32 readPixel(const SDL_Surface* surface, int x, int y);

// Called by the world view and the frosted backdrop: stores a raw value at (x, y).
void writePixel(SDL_Surface* surface, int x, int y, Uint32 value);

// Called around every loop that touches a surface's memory directly: some surfaces only
// have their pixels while locked (SDL_MUSTLOCK); for the others these do nothing.
void lockPixels(SDL_Surface* surface);
void unlockPixels(SDL_Surface* surface);

// Called by everything that blits or fills: a rectangle in SDL's 16-bit fields, positions
// and sizes in pixels.
SDL_Rect makeRect(int x, int y, int w, int h);
