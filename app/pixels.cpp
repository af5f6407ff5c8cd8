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

// The classic library's widening: the channel's bits shifted up and their top bits repeated
// below, so a full channel reads 255 (a 5-bit 4 reads 33). The compatibility library 1.2.60
// shifts alone (4 reads 32), so the game widens by this rule itself rather than asking SDL,
// and every SDL gives the same colours. Below 4 bits the classic rule shifts alone too.
static uint8_t widenChannel(Uint32 value, int loss) {
    const Uint32 repeated = loss <= 4 ? value >> (8 - 2 * loss) : 0;
    return uint8_t(value << loss | repeated);
}

static void fillWideningTables(PixelLayout& layout) {
    const ChannelField fields[3] = {layout.packing.red, layout.packing.green, layout.packing.blue};
    for (int c = 0; c < 3; ++c) {
        for (Uint32 v = 0; v <= fields[c].mask >> fields[c].shift; ++v) {
            layout.widened[c][v] = widenChannel(v, fields[c].loss);
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
