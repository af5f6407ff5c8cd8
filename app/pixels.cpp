#include "app/pixels.h"

#include <cstring>

// ---------------------------------------------------------------------------------------------
// Pixel addressing
// ---------------------------------------------------------------------------------------------

static Uint8* pixelAddress(const SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + surface->pitch * y +
           surface->format->BytesPerPixel * x;
}

// ---------------------------------------------------------------------------------------------
// Read and write
// ---------------------------------------------------------------------------------------------

Uint32 readPixel(const SDL_Surface* surface, int x, int y) {
    const Uint8* p = pixelAddress(surface, x, y);
    switch (surface->format->BytesPerPixel) {
    case 1:
        return p[0];
    case 2: {
        Uint16 word = 0;
        std::memcpy(&word, p, sizeof word);
        return word;
    }
    case 3:
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    case 4: {
        Uint32 word = 0;
        std::memcpy(&word, p, sizeof word);
        return word;
    }
    default:
        return 0;
    }
}

void writePixel(SDL_Surface* surface, int x, int y, Uint32 value) {
    Uint8* p = pixelAddress(surface, x, y);
    switch (surface->format->BytesPerPixel) {
    case 1:
        p[0] = Uint8(value);
        break;
    case 2: {
        const Uint16 word = Uint16(value);
        std::memcpy(p, &word, sizeof word);
        break;
    }
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
