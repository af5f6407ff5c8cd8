// The classic library's per-pixel alpha blits, redone so that every SDL 1.2 shows the same
// pixels. That library picks one of four blenders by the screen's format, and they round
// differently; each is reproduced here exactly, down to the bits a 16-bit screen drops.
#include "app/blend.h"

#include "app/pixels.h"

#include <algorithm>
#include <cstring>

// ---- State ----------------------------------------------------------------------------------

// A palette screen's colours, and for each 3-3-2 colour the entry the blend stores, worked
// out again only when the palette changes.
static SDL_Color mappedColours[256] = {};
static int mappedCount = -1;
static Uint8 entryFor332[256] = {};

// ---- Clipping -------------------------------------------------------------------------------

// One axis of SDL_BlitSurface's clipping: the span of the sheet from `source`, `length`
// long, drawn from `at`, is cut to the sheet, then to the target's clip span.
static void clipSpan(int& source, int& length, int& at, int sheetSize, int clipStart,
                     int clipLength) {
    if (source < 0) {
        length += source;
        at -= source;
        source = 0;
    }
    length = std::min(length, sheetSize - source);
    if (at < clipStart) {
        length -= clipStart - at;
        source += clipStart - at;
        at = clipStart;
    }
    length = std::min(length, clipStart + clipLength - at);
}

// ---- The four blenders ----------------------------------------------------------------------

enum class Blender { Packed, To565, To555, Channels, Palette };

// Which of the classic library's blenders it uses for this pair of formats.
static Blender chooseBlender(const SDL_PixelFormat* sheet, const SDL_PixelFormat* target) {
    const bool sameChannels = sheet->Rmask == target->Rmask && sheet->Gmask == target->Gmask &&
                              sheet->Bmask == target->Bmask;
    const bool fiveBitEnds = sheet->Amask == 0xff000000 && sheet->Gmask == 0xff00 &&
                             ((sheet->Rmask == 0xff && target->Rmask == 0x1f) ||
                              (sheet->Bmask == 0xff && target->Bmask == 0x1f));
    if (target->BytesPerPixel == 1) {
        return Blender::Palette;
    }
    if (target->BytesPerPixel == 4 && sameChannels && sheet->Amask == 0xff000000) {
        return Blender::Packed;
    }
    if (target->BytesPerPixel == 2 && fiveBitEnds && target->Gmask == 0x7e0) {
        return Blender::To565;
    }
    if (target->BytesPerPixel == 2 && fiveBitEnds && target->Gmask == 0x3e0) {
        return Blender::To555;
    }
    return Blender::Channels;
}

// Two channels at once in one word, the third in another, each moved by alpha / 256 of the
// way towards the source and truncated; opaque pixels replace the colour outright. The
// target's top byte is kept either way.
static Uint32 blendPacked(Uint32 s, Uint32 d) {
    const Uint32 alpha = s >> 24;
    if (alpha == 255) {
        return (s & 0xffffff) | (d & 0xff000000);
    }
    const Uint32 s1 = s & 0xff00ff;
    Uint32 d1 = d & 0xff00ff;
    d1 = (d1 + ((s1 - d1) * alpha >> 8)) & 0xff00ff;
    const Uint32 s2 = s & 0xff00;
    Uint32 d2 = d & 0xff00;
    d2 = (d2 + ((s2 - d2) * alpha >> 8)) & 0xff00;
    return d1 | d2 | (d & 0xff000000);
}

// 16-bit screens: alpha cut to 5 bits, and the sheet's middle colour byte spread away from
// the other two in one word, so the three fields move in one multiplication. Positional: the
// sheet's high colour byte goes to the screen's high field.
template <int MiddleBits> static Uint32 blendFiveBit(Uint32 s, Uint32 d) {
    constexpr int highAt = 5 + MiddleBits;
    constexpr Uint32 middleMask = ((1u << MiddleBits) - 1) << 5;
    constexpr Uint32 spread = (middleMask << 16) | (0x1fu << highAt) | 0x1f;
    const Uint32 alpha = s >> 27;
    if (alpha == 0) {
        return d; // with any bit outside the three fields
    }
    const Uint32 high = (s >> (19 - highAt)) & (0x1fu << highAt);
    const Uint32 middle = (s >> (11 - MiddleBits)) & middleMask;
    const Uint32 low = (s >> 3) & 0x1f;
    if (alpha == 31) {
        return high | middle | low;
    }
    const Uint32 spreadS = (middle << 16) | high | low;
    Uint32 spreadD = (d | d << 16) & spread;
    spreadD = (spreadD + ((spreadS - spreadD) * alpha >> 5)) & spread;
    return (spreadD | spreadD >> 16) & 0xffff;
}

// One channel moved alpha / 256 of the way towards the source, rounded up, in unsigned
// arithmetic as the classic library does it: moving down leaves bit 24 set, which the
// palette path masks off and which shows in a 4-byte pixel's top byte when the channel
// sits in the low bits.
static Uint32 blendChannel(Uint32 source, Uint32 target, Uint32 alpha) {
    return (((source - target) * alpha + 255) >> 8) + target;
}

// The channel's bits widened by shifting alone, as the classic blitters read a pixel.
static Uint32 readChannel(Uint32 pixel, Uint32 mask, int shift, int loss) {
    return (pixel & mask) >> shift << loss;
}

static Uint32 writeChannel(Uint32 value, int shift, int loss) {
    return value >> loss << shift;
}

// Any other format: each channel read, blended and written back, the target's alpha kept.
static Uint32 blendChannels(Uint32 s, Uint32 d, const SDL_PixelFormat* sheet,
                            const SDL_PixelFormat* t) {
    const Uint32 alpha = (s & sheet->Amask) >> sheet->Ashift;
    const Uint32 r = blendChannel((s & sheet->Rmask) >> sheet->Rshift,
                                  readChannel(d, t->Rmask, t->Rshift, t->Rloss), alpha);
    const Uint32 g = blendChannel((s & sheet->Gmask) >> sheet->Gshift,
                                  readChannel(d, t->Gmask, t->Gshift, t->Gloss), alpha);
    const Uint32 b = blendChannel((s & sheet->Bmask) >> sheet->Bshift,
                                  readChannel(d, t->Bmask, t->Bshift, t->Bloss), alpha);
    const Uint32 a = readChannel(d, t->Amask, t->Ashift, t->Aloss);
    return writeChannel(r, t->Rshift, t->Rloss) | writeChannel(g, t->Gshift, t->Gloss) |
           writeChannel(b, t->Bshift, t->Bloss) | writeChannel(a, t->Ashift, t->Aloss);
}

// The palette entry nearest to a colour, the first of equals.
static Uint8 nearestEntry(const SDL_Palette* palette, int r, int g, int b) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < palette->ncolors; ++i) {
        const SDL_Color& c = palette->colors[i];
        const long distance =
            long(c.r - r) * (c.r - r) + long(c.g - g) * (c.g - g) + long(c.b - b) * (c.b - b);
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return Uint8(best);
}

// A blended colour on a palette screen is cut to 3-3-2 bits, and that colour (each field
// widened by repeating its bits) is matched against the palette.
static void mapPalette(const SDL_Palette* palette) {
    const int count = palette->ncolors;
    if (count == mappedCount &&
        std::memcmp(mappedColours, palette->colors, sizeof(SDL_Color) * size_t(count)) == 0) {
        return;
    }
    for (int i = 0; i < 256; ++i) {
        const int r = (i & 0xe0) | (i & 0xe0) >> 3 | (i & 0xe0) >> 6;
        const int g = (i << 3 & 0xe0) | (i << 3 & 0xe0) >> 3 | (i << 3 & 0xe0) >> 6;
        const int b = (i & 3) * 0x55;
        entryFor332[i] = nearestEntry(palette, r, g, b);
    }
    std::memcpy(mappedColours, palette->colors, sizeof(SDL_Color) * size_t(count));
    mappedCount = count;
}

static Uint32 blendOntoPalette(Uint32 s, Uint32 d, const SDL_PixelFormat* sheet,
                               const SDL_Palette* palette) {
    const Uint32 alpha = (s & sheet->Amask) >> sheet->Ashift;
    const SDL_Color& under = palette->colors[d];
    const Uint32 r = blendChannel((s & sheet->Rmask) >> sheet->Rshift, under.r, alpha) & 255;
    const Uint32 g = blendChannel((s & sheet->Gmask) >> sheet->Gshift, under.g, alpha) & 255;
    const Uint32 b = blendChannel((s & sheet->Bmask) >> sheet->Bshift, under.b, alpha) & 255;
    return entryFor332[(r >> 5) << 5 | (g >> 5) << 2 | b >> 6];
}

// ---- Drawing --------------------------------------------------------------------------------

// Runs blend(source pixel, target pixel) over the clipped rectangle, skipping the sheet's
// fully transparent pixels as every classic blender does.
template <int Bytes, typename Blend>
static void blendRows(SDL_Surface* sheet, const SDL_Rect& from, SDL_Surface* target,
                      const SDL_Rect& at, Blend&& blend) {
    const Uint32 alphaMask = sheet->format->Amask;
    for (int row = 0; row < from.h; ++row) {
        const Uint8* s = rowStart(sheet, from.y + row) + 4 * from.x;
        Uint8* d = rowStart(target, at.y + row) + Bytes * at.x;
        for (int column = 0; column < from.w; ++column, s += 4, d += Bytes) {
            const Uint32 source = loadPixel<4>(s);
            if (source & alphaMask) {
                storePixel<Bytes>(d, blend(source, loadPixel<Bytes>(d)));
            }
        }
    }
}

// Each blender works on one pixel size only, but the one for any other format, which takes
// every size.
static void blendClipped(SDL_Surface* sheet, const SDL_Rect& from, SDL_Surface* target,
                         const SDL_Rect& at) {
    const SDL_PixelFormat* s = sheet->format;
    const SDL_PixelFormat* t = target->format;
    switch (chooseBlender(s, t)) {
    case Blender::Packed:
        return blendRows<4>(sheet, from, target, at, blendPacked);
    case Blender::To565:
        return blendRows<2>(sheet, from, target, at, blendFiveBit<6>);
    case Blender::To555:
        return blendRows<2>(sheet, from, target, at, blendFiveBit<5>);
    case Blender::Palette:
        mapPalette(t->palette);
        return blendRows<1>(sheet, from, target, at, [&](Uint32 source, Uint32 under) {
            return blendOntoPalette(source, under, s, t->palette);
        });
    case Blender::Channels:
        return forBytesPerPixel(t->BytesPerPixel, [&](auto bytes) {
            blendRows<bytes()>(sheet, from, target, at, [&](Uint32 source, Uint32 under) {
                return blendChannels(source, under, s, t);
            });
        });
    }
}

static bool blendable(const SDL_Surface* sheet, const SDL_Surface* target) {
    const SDL_PixelFormat* s = sheet->format;
    const SDL_PixelFormat* t = target->format;
    const bool eightBitChannels = s->Rloss == 0 && s->Gloss == 0 && s->Bloss == 0 && s->Aloss == 0;
    return (sheet->flags & SDL_SRCALPHA) && s->BytesPerPixel == 4 && s->Amask != 0 &&
           eightBitChannels && t->BytesPerPixel >= 1 && t->BytesPerPixel <= 4 &&
           (t->BytesPerPixel != 1 || (t->palette && t->palette->ncolors == 256));
}

bool blendAlphaImage(SDL_Surface* sheet, SDL_Rect from, SDL_Surface* target, SDL_Rect at) {
    if (!blendable(sheet, target)) {
        return false;
    }
    int sx = from.x, sy = from.y, w = from.w, h = from.h, x = at.x, y = at.y;
    const SDL_Rect& clip = target->clip_rect;
    clipSpan(sx, w, x, sheet->w, clip.x, clip.w);
    clipSpan(sy, h, y, sheet->h, clip.y, clip.h);
    if (w > 0 && h > 0 && SDL_LockSurface(sheet) == 0) {
        if (SDL_LockSurface(target) == 0) {
            blendClipped(sheet, makeRect(sx, sy, w, h), target, makeRect(x, y, w, h));
            SDL_UnlockSurface(target);
        }
        SDL_UnlockSurface(sheet);
    }
    return true;
}
