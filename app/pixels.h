// The pixel layer every drawing module stands on: raw pixels of 1 to 4 bytes, colours packed
// and unpacked by a format described once, and rectangles.
//
// The pixel (x, y) lies at pixels + pitch * y + BytesPerPixel * x. Rows are walked by
// pitch, never by width: SDL may pad them. None of these functions check bounds. Every loop
// over a surface's memory runs between SDL_LockSurface and SDL_UnlockSurface, which know
// which surfaces need it; a surface left locked refuses every blit.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <cstring>
#include <type_traits>

// ---- Raw pixels -----------------------------------------------------------------------------

// Called by the wall loader and the tests: the raw value of (x, y). Any size but 1 to 4
// bytes reads as 0.
Uint32 readPixel(const SDL_Surface* surface, int x, int y);

// Called by the tests and the colour-by-colour paths: stores a raw value at (x, y); any size
// but 1 to 4 bytes does nothing.
void writePixel(SDL_Surface* surface, int x, int y, Uint32 value);

// The machine word a pixel of 1, 2 or 4 bytes is kept in; 3 bytes have none.
template <int Bytes>
using PixelWord =
    std::conditional_t<Bytes == 1, Uint8, std::conditional_t<Bytes == 2, Uint16, Uint32>>;

// Called by the hot loops inside forBytesPerPixel: the raw value at p on a surface of
// `Bytes` bytes per pixel: one byte, one 16-bit word, three bytes low byte first
// (b0 | b1 << 8 | b2 << 16), or one 32-bit word.
template <int Bytes> inline Uint32 loadPixel(const Uint8* p) {
    static_assert(Bytes >= 1 && Bytes <= 4, "a pixel is 1 to 4 bytes");
    if constexpr (Bytes == 3) {
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    } else {
        PixelWord<Bytes> word = 0;
        std::memcpy(&word, p, sizeof word);
        return word;
    }
}

// Called by the hot loops inside forBytesPerPixel: stores a raw value in the same layout.
template <int Bytes> inline void storePixel(Uint8* p, Uint32 value) {
    static_assert(Bytes >= 1 && Bytes <= 4, "a pixel is 1 to 4 bytes");
    if constexpr (Bytes == 3) {
        p[0] = Uint8(value);
        p[1] = Uint8(value >> 8);
        p[2] = Uint8(value >> 16);
    } else {
        const PixelWord<Bytes> word = PixelWord<Bytes>(value);
        std::memcpy(p, &word, sizeof word);
    }
}

// Called by every loop that walks a surface itself: runs body(std::integral_constant<int,
// N>()) for the surface's N bytes per pixel, so the body is compiled once per size with N
// known. Any size but 1 to 4 runs nothing.
template <typename Body> inline void forBytesPerPixel(int bytesPerPixel, Body&& body) {
    switch (bytesPerPixel) {
    case 1:
        return body(std::integral_constant<int, 1>());
    case 2:
        return body(std::integral_constant<int, 2>());
    case 3:
        return body(std::integral_constant<int, 3>());
    case 4:
        return body(std::integral_constant<int, 4>());
    }
}

// Called by the hot loops: the first byte of row y.
inline Uint8* rowStart(SDL_Surface* surface, int y) {
    return static_cast<Uint8*>(surface->pixels) + surface->pitch * y;
}

// ---- Colours --------------------------------------------------------------------------------

// Where one of red, green and blue sits in a raw pixel, and how many low bits it drops.
struct ChannelField {
    Uint32 mask = 0;
    int shift = 0;
    int loss = 0;
};

// What packing needs: small, so a hot loop copies it into a local and keeps it in registers
// across its pixel stores. Packing always sets the alpha bits, as SDL_MapRGB does.
struct ColourPacking {
    const SDL_PixelFormat* format = nullptr; // never owned; used when bySdl
    bool bySdl = true; // a palette, or channels wider than 8 bits: SDL maps every colour
    Uint32 alphaMask = 0;
    ChannelField red;
    ChannelField green;
    ChannelField blue;
};

// A surface's format, described once per loop instead of once per pixel. widened[c][v] is
// the classic library's SDL_GetRGB value (0..255) for the raw channel bits v, whichever SDL
// runs the game, so unpacking needs no call either.
struct PixelLayout {
    int bytesPerPixel = 0;
    ColourPacking packing;
    uint8_t widened[3][256] = {};
};

// Called at the top of every pixel loop. The format must outlive the description.
PixelLayout describePixels(const SDL_PixelFormat* format);

// The raw pixel SDL_MapRGB gives for (r, g, b) on a format that packs by shifts (!bySdl).
// Hot loops call it over a run of colours, so the compiler can vectorise the shifts.
inline Uint32 packShifted(const ColourPacking& p, Uint32 r, Uint32 g, Uint32 b) {
    return p.alphaMask | (r >> p.red.loss) << p.red.shift | (g >> p.green.loss) << p.green.shift |
           (b >> p.blue.loss) << p.blue.shift;
}

// The red, green and blue of a raw pixel, as the classic SDL_GetRGB gives them, through the
// widening tables (a palette format asks SDL itself).
inline void unpackColour(const PixelLayout& layout, Uint32 pixel, Uint8* r, Uint8* g, Uint8* b) {
    const ColourPacking& p = layout.packing;
    if (p.bySdl) {
        SDL_GetRGB(pixel, p.format, r, g, b);
        return;
    }
    *r = layout.widened[0][(pixel & p.red.mask) >> p.red.shift];
    *g = layout.widened[1][(pixel & p.green.mask) >> p.green.shift];
    *b = layout.widened[2][(pixel & p.blue.mask) >> p.blue.shift];
}

// ---- Rectangles -----------------------------------------------------------------------------

// Called by everything that blits or fills: a rectangle in SDL's 16-bit fields, positions
// and sizes in pixels.
SDL_Rect makeRect(int x, int y, int w, int h);
