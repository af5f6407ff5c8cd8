// Raw pixel access, format descriptions and rectangles for every drawing module.
#include "app/pixels.h"

// ---- Raw pixels -----------------------------------------------------------------------------

static Uint8* pixelAddress(const SDL_Surface* surface, int x, int y) {
    return static_cast<Uint8*>(surface->pixels) + surface->pitch * y +
           surface->format->BytesPerPixel * x;
}

Uint32 readPixel(const SDL_Surface* surface, int x, int y) {
    Uint32 value = 0;
    forBytesPerPixel(surface->format->BytesPerPixel,
                     [&](auto bytes) { value = loadPixel<bytes()>(pixelAddress(surface, x, y)); });
    return value;
}

void writePixel(SDL_Surface* surface, int x, int y, Uint32 value) {
    forBytesPerPixel(surface->format->BytesPerPixel,
                     [&](auto bytes) { storePixel<bytes()>(pixelAddress(surface, x, y), value); });
}

// ---- Format descriptions --------------------------------------------------------------------

// Each table is filled by asking SDL itself, so unpacking reproduces SDL_GetRGB exactly,
// whatever rounding this SDL uses to widen a channel's bits.
static void fillWideningTables(PixelLayout& layout) {
    const ChannelField fields[3] = {layout.packing.red, layout.packing.green, layout.packing.blue};
    for (int c = 0; c < 3; ++c) {
        for (Uint32 v = 0; v <= fields[c].mask >> fields[c].shift; ++v) {
            Uint8 rgb[3] = {0, 0, 0};
            SDL_GetRGB(v << fields[c].shift, layout.packing.format, &rgb[0], &rgb[1], &rgb[2]);
            layout.widened[c][v] = rgb[c];
        }
    }
}

static bool fitsAByte(const ChannelField& field) {
    return (field.mask >> field.shift) <= 255;
}

PixelLayout describePixels(const SDL_PixelFormat* format) {
    PixelLayout layout;
    ColourPacking& p = layout.packing;
    layout.bytesPerPixel = format->BytesPerPixel;
    p.format = format;
    p.alphaMask = format->Amask;
    p.red = {format->Rmask, format->Rshift, format->Rloss};
    p.green = {format->Gmask, format->Gshift, format->Gloss};
    p.blue = {format->Bmask, format->Bshift, format->Bloss};
    p.bySdl = format->palette != nullptr || !fitsAByte(p.red) || !fitsAByte(p.green) ||
              !fitsAByte(p.blue);
    if (!p.bySdl) {
        fillWideningTables(layout);
    }
    return layout;
}

// ---- Rectangles -----------------------------------------------------------------------------

SDL_Rect makeRect(int x, int y, int w, int h) {
    return {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
}
