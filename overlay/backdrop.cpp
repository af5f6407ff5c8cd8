#include "overlay/backdrop.h"

#include "app/frame.h"
#include "app/input.h"
#include "app/pixels.h"
#include "overlay/assets.h"

#include <cstring>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

bool menuOpen = false;
double fadeLevel = 0.0;

// The frozen frame, column-major. frostedPixels ends each capture holding the frost;
// sharpPixels is the blur's second buffer and ends holding the sharp frame.
static uint8_t frostedPixels[backdropBytes] = {};
static uint8_t sharpPixels[backdropBytes] = {};

// The same two images again, row-major, one plane per channel, so the per-pass blend is one
// contiguous walk that the compiler can vectorise. Made at capture time alongside the above.
constexpr int planeSize = backdropWidth * backdropHeight;
static uint8_t frostedPlanes[3][planeSize] = {};
static uint8_t sharpPlanes[3][planeSize] = {};

constexpr int escapeKey = 27;

// ---------------------------------------------------------------------------------------------
// Pixel formats
// ---------------------------------------------------------------------------------------------

// How one channel sits in a raw pixel, with SDL_GetRGB's own widening of its bits to 0..255
// taken as a table so the capture needs no call per pixel.
struct ChannelLayout {
    Uint32 mask = 0;
    int shift = 0;
    int loss = 0;
    uint8_t widened[256] = {};
};

struct FormatLayout {
    bool direct = false; // false: a palette or a layout the tables cannot hold; go by SDL
    int bytesPerPixel = 0;
    Uint32 alphaMask = 0;
    ChannelLayout channel[3] = {};
};

static FormatLayout layoutOf(const SDL_PixelFormat* format) {
    FormatLayout layout;
    layout.bytesPerPixel = format->BytesPerPixel;
    layout.alphaMask = format->Amask;
    const Uint32 masks[3] = {format->Rmask, format->Gmask, format->Bmask};
    const int shifts[3] = {format->Rshift, format->Gshift, format->Bshift};
    const int losses[3] = {format->Rloss, format->Gloss, format->Bloss};
    layout.direct = !format->palette && layout.bytesPerPixel >= 2 && layout.bytesPerPixel <= 4;
    for (int c = 0; c < 3; ++c) {
        ChannelLayout& ch = layout.channel[c];
        ch.mask = masks[c];
        ch.shift = shifts[c];
        ch.loss = losses[c];
        if ((ch.mask >> ch.shift) > 255) {
            layout.direct = false;
        }
    }
    if (!layout.direct) {
        return layout;
    }
    for (int c = 0; c < 3; ++c) {
        ChannelLayout& ch = layout.channel[c];
        for (Uint32 v = 0; v <= (ch.mask >> ch.shift); ++v) {
            Uint8 rgb[3] = {0, 0, 0};
            SDL_GetRGB(v << ch.shift, format, &rgb[0], &rgb[1], &rgb[2]);
            ch.widened[v] = rgb[c];
        }
    }
    return layout;
}

// ---------------------------------------------------------------------------------------------
// Lanes
// ---------------------------------------------------------------------------------------------

// Sixteen pixels' worth of one channel at a time; the compiler maps these onto whatever
// vector registers the target has, without any -march switch.
typedef uint8_t ByteLanes __attribute__((vector_size(16)));
typedef uint16_t WordLanes __attribute__((vector_size(32)));
constexpr int laneCount = 16;

static ByteLanes loadLanes(const uint8_t* p) {
    ByteLanes lanes;
    std::memcpy(&lanes, p, sizeof lanes);
    return lanes;
}

// ---------------------------------------------------------------------------------------------
// Frame layouts
// ---------------------------------------------------------------------------------------------

// Row-major planes to the column-major buffer and back, in 32 x 32 tiles so that both sides
// of the transposition stay in cache.
constexpr int tileSide = 32;

static void planesToColumns(const uint8_t (*planes)[planeSize], uint8_t* columns) {
    for (int y0 = 0; y0 < backdropHeight; y0 += tileSide) {
        for (int x0 = 0; x0 < backdropWidth; x0 += tileSide) {
            for (int x = x0; x < x0 + tileSide; ++x) {
                uint8_t* column = columns + x * backdropColumnBytes;
                for (int y = y0; y < y0 + tileSide; ++y) {
                    column[y * 3 + 0] = planes[0][y * backdropWidth + x];
                    column[y * 3 + 1] = planes[1][y * backdropWidth + x];
                    column[y * 3 + 2] = planes[2][y * backdropWidth + x];
                }
            }
        }
    }
}

static void columnsToPlanes(const uint8_t* columns, uint8_t (*planes)[planeSize]) {
    for (int y0 = 0; y0 < backdropHeight; y0 += tileSide) {
        for (int x0 = 0; x0 < backdropWidth; x0 += tileSide) {
            for (int x = x0; x < x0 + tileSide; ++x) {
                const uint8_t* column = columns + x * backdropColumnBytes;
                for (int y = y0; y < y0 + tileSide; ++y) {
                    planes[0][y * backdropWidth + x] = column[y * 3 + 0];
                    planes[1][y * backdropWidth + x] = column[y * 3 + 1];
                    planes[2][y * backdropWidth + x] = column[y * 3 + 2];
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Capture
// ---------------------------------------------------------------------------------------------

// One row of raw pixels into the planes. The layout is copied into locals: the byte stores
// could otherwise alias it and force a reload per pixel.
template <int Bytes>
static void decodeRow(const Uint8* row, const FormatLayout& layout, uint8_t* r, uint8_t* g,
                      uint8_t* b) {
    const Uint32 rMask = layout.channel[0].mask, gMask = layout.channel[1].mask,
                 bMask = layout.channel[2].mask;
    const int rShift = layout.channel[0].shift, gShift = layout.channel[1].shift,
              bShift = layout.channel[2].shift;
    const uint8_t* rWide = layout.channel[0].widened;
    const uint8_t* gWide = layout.channel[1].widened;
    const uint8_t* bWide = layout.channel[2].widened;
    for (int x = 0; x < backdropWidth; ++x) {
        const Uint32 pixel = loadPixel(row + Bytes * x, Bytes);
        r[x] = rWide[(pixel & rMask) >> rShift];
        g[x] = gWide[(pixel & gMask) >> gShift];
        b[x] = bWide[(pixel & bMask) >> bShift];
    }
}

// A palette screen has no channel fields to decode; SDL looks each pixel up.
static void decodeRowBySdl(SDL_Surface* surface, int y, uint8_t* r, uint8_t* g, uint8_t* b) {
    for (int x = 0; x < backdropWidth; ++x) {
        SDL_GetRGB(readPixel(surface, x, y), surface->format, &r[x], &g[x], &b[x]);
    }
}

// The frame's red, green and blue into the row-major planes, then into the column-major
// buffer that the blur works on.
static void readFrame(SDL_Surface* surface, uint8_t* columns, uint8_t (*planes)[planeSize]) {
    const FormatLayout layout = layoutOf(surface->format);
    lockPixels(surface);
    for (int y = 0; y < backdropHeight; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + surface->pitch * y;
        uint8_t* r = planes[0] + y * backdropWidth;
        uint8_t* g = planes[1] + y * backdropWidth;
        uint8_t* b = planes[2] + y * backdropWidth;
        if (!layout.direct) {
            decodeRowBySdl(surface, y, r, g, b);
        } else if (layout.bytesPerPixel == 4) {
            decodeRow<4>(row, layout, r, g, b);
        } else if (layout.bytesPerPixel == 3) {
            decodeRow<3>(row, layout, r, g, b);
        } else {
            decodeRow<2>(row, layout, r, g, b);
        }
    }
    unlockPixels(surface);
    planesToColumns(planes, columns);
}

// x outer and y inner keeps every access a contiguous run of the column-major buffers,
// sixteen bytes at a time, with a plain tail for the rest of the column.
void crossAverage(const uint8_t* from, uint8_t* to, int distance, int addend) {
    const int across = distance * backdropColumnBytes;
    const int down = distance * 3;
    for (int x = distance; x < backdropWidth - distance; ++x) {
        const int first = x * backdropColumnBytes + down;
        const int last = (x + 1) * backdropColumnBytes - down;
        int i = first;
        for (; i + laneCount <= last; i += laneCount) {
            const WordLanes sum = __builtin_convertvector(loadLanes(from + i - across), WordLanes) +
                                  __builtin_convertvector(loadLanes(from + i + across), WordLanes) +
                                  __builtin_convertvector(loadLanes(from + i - down), WordLanes) +
                                  __builtin_convertvector(loadLanes(from + i + down), WordLanes) +
                                  uint16_t(addend);
            const ByteLanes average = __builtin_convertvector(sum >> 2, ByteLanes);
            std::memcpy(to + i, &average, sizeof average);
        }
        for (; i < last; ++i) {
            to[i] = uint8_t((unsigned(from[i - across]) + from[i + across] + from[i - down] +
                             from[i + down] + unsigned(addend)) >>
                            2);
        }
    }
}

// Two wide passes spread the light, four narrow ones smooth what they leave; each pass
// writes the buffer the previous one read, and the blur ends in frostedPixels.
static void blurFrame() {
    crossAverage(frostedPixels, sharpPixels, 3, 0);
    crossAverage(sharpPixels, frostedPixels, 3, 1);
    crossAverage(frostedPixels, sharpPixels, 1, 0);
    crossAverage(sharpPixels, frostedPixels, 1, 0);
    crossAverage(frostedPixels, sharpPixels, 1, 0);
    crossAverage(sharpPixels, frostedPixels, 1, 0);
}

static int clampChannel(int value) {
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

uint8_t washOut(uint8_t channel) {
    int value = clampChannel(channel + 50);
    value = clampChannel(value - 100);
    value = clampChannel(value + 100);
    return uint8_t(value);
}

static void washOutFrame() {
    for (int i = 0; i < backdropBytes; ++i) {
        frostedPixels[i] = washOut(frostedPixels[i]);
    }
}

// One row of the frost packed as SDL_MapRGB packs it (alpha bits set, if the format has any).
template <int Bytes>
static void encodeRow(Uint8* row, const FormatLayout& layout, const uint8_t* r, const uint8_t* g,
                      const uint8_t* b) {
    const Uint32 alpha = layout.alphaMask;
    const int rLoss = layout.channel[0].loss, gLoss = layout.channel[1].loss,
              bLoss = layout.channel[2].loss;
    const int rShift = layout.channel[0].shift, gShift = layout.channel[1].shift,
              bShift = layout.channel[2].shift;
    for (int x = 0; x < backdropWidth; ++x) {
        const Uint32 pixel = alpha | Uint32(r[x] >> rLoss) << rShift |
                             Uint32(g[x] >> gLoss) << gShift | Uint32(b[x] >> bLoss) << bShift;
        storePixel(row + Bytes * x, Bytes, pixel);
    }
}

// The frost into the row-major planes, and from them into its surface.
static void writeFrost() {
    columnsToPlanes(frostedPixels, frostedPlanes);
    if (!frostedSurface) {
        return;
    }
    const FormatLayout layout = layoutOf(frostedSurface->format);
    lockPixels(frostedSurface);
    for (int y = 0; y < backdropHeight; ++y) {
        Uint8* row = static_cast<Uint8*>(frostedSurface->pixels) + frostedSurface->pitch * y;
        const uint8_t* r = frostedPlanes[0] + y * backdropWidth;
        const uint8_t* g = frostedPlanes[1] + y * backdropWidth;
        const uint8_t* b = frostedPlanes[2] + y * backdropWidth;
        if (!layout.direct) {
            for (int x = 0; x < backdropWidth; ++x) {
                writePixel(frostedSurface, x, y,
                           SDL_MapRGB(frostedSurface->format, r[x], g[x], b[x]));
            }
        } else if (layout.bytesPerPixel == 4) {
            encodeRow<4>(row, layout, r, g, b);
        } else if (layout.bytesPerPixel == 3) {
            encodeRow<3>(row, layout, r, g, b);
        } else {
            encodeRow<2>(row, layout, r, g, b);
        }
    }
    unlockPixels(frostedSurface);
}

// The snapshot is an exact copy of the screen, so without one the screen itself, which
// still shows the same frame, serves for the sharp image.
static void captureFrame() {
    SDL_BlitSurface(screen, nullptr, snapshotSurface, nullptr);
    readFrame(screen, frostedPixels, frostedPlanes);
    std::memcpy(sharpPixels, frostedPixels, backdropBytes);
    blurFrame();
    washOutFrame();
    writeFrost();
    readFrame(snapshotSurface ? snapshotSurface : screen, sharpPixels, sharpPlanes);
}

// ---------------------------------------------------------------------------------------------
// Blend
// ---------------------------------------------------------------------------------------------

struct Packing {
    int rLoss = 0, rShift = 0, gLoss = 0, gShift = 0, bLoss = 0, bShift = 0;
};

// A weighted mean of two bytes never exceeds 255, so the result needs no clamp.
static uint32_t mix(uint32_t frost, uint32_t sharp, uint32_t w) {
    return (frost * w + sharp * (100 - w)) / 100;
}

// Eight pixels' worth of one channel at a time in the blend: eight 16-bit lanes fill one
// vector register, where the compiler turns the division by 100 into a multiply.
typedef uint8_t HalfByteLanes __attribute__((vector_size(8)));
typedef uint16_t ShortLanes __attribute__((vector_size(16)));
typedef uint32_t PixelLanes __attribute__((vector_size(32)));
typedef uint16_t PixelWordLanes __attribute__((vector_size(16)));
constexpr int blendLaneCount = 8;

// The weighted sum is at most 25500, so it fits the 16-bit lanes.
static void mixLanes(const uint8_t* frost, const uint8_t* sharp, uint16_t w, PixelLanes* mixed) {
    HalfByteLanes f8, s8;
    std::memcpy(&f8, frost, sizeof f8);
    std::memcpy(&s8, sharp, sizeof s8);
    const ShortLanes f = __builtin_convertvector(f8, ShortLanes);
    const ShortLanes s = __builtin_convertvector(s8, ShortLanes);
    const ShortLanes mean = (f * w + s * uint16_t(100 - w)) / uint16_t(100);
    *mixed = __builtin_convertvector(mean, PixelLanes);
}

// Eight pixels at a time; a row of 640 leaves no remainder.
template <typename Word, typename WordVector>
static void blendRow(Word* out, int offset, uint32_t w, Packing p) {
    for (int x = 0; x < backdropWidth; x += blendLaneCount) {
        const int i = offset + x;
        PixelLanes r, g, b;
        mixLanes(frostedPlanes[0] + i, sharpPlanes[0] + i, uint16_t(w), &r);
        mixLanes(frostedPlanes[1] + i, sharpPlanes[1] + i, uint16_t(w), &g);
        mixLanes(frostedPlanes[2] + i, sharpPlanes[2] + i, uint16_t(w), &b);
        const PixelLanes packed =
            (r >> p.rLoss) << p.rShift | (g >> p.gLoss) << p.gShift | (b >> p.bLoss) << p.bShift;
        const WordVector words = __builtin_convertvector(packed, WordVector);
        std::memcpy(out + x, &words, sizeof words);
    }
}

static void blendRow24(Uint8* out, int offset, uint32_t w, Packing p) {
    for (int x = 0; x < backdropWidth; ++x) {
        const int i = offset + x;
        const uint32_t r = mix(frostedPlanes[0][i], sharpPlanes[0][i], w);
        const uint32_t g = mix(frostedPlanes[1][i], sharpPlanes[1][i], w);
        const uint32_t b = mix(frostedPlanes[2][i], sharpPlanes[2][i], w);
        storePixel(out + 3 * x, 3,
                   (r >> p.rLoss) << p.rShift | (g >> p.gLoss) << p.gShift |
                       (b >> p.bLoss) << p.bShift);
    }
}

// Shift-and-loss packing means nothing on a palette screen (it would be all black), so
// there each mixed colour is looked up in the palette instead.
static void blendRowPalette(int y, uint32_t w) {
    for (int x = 0; x < backdropWidth; ++x) {
        const int i = y * backdropWidth + x;
        const Uint8 r = Uint8(mix(frostedPlanes[0][i], sharpPlanes[0][i], w));
        const Uint8 g = Uint8(mix(frostedPlanes[1][i], sharpPlanes[1][i], w));
        const Uint8 b = Uint8(mix(frostedPlanes[2][i], sharpPlanes[2][i], w));
        writePixel(screen, x, y, SDL_MapRGB(screen->format, r, g, b));
    }
}

// Every pixel is written, so the blend replaces the whole frame.
static void blendFrame(int w) {
    const SDL_PixelFormat* f = screen->format;
    const Packing p = {f->Rloss, f->Rshift, f->Gloss, f->Gshift, f->Bloss, f->Bshift};
    lockPixels(screen);
    for (int y = 0; y < backdropHeight; ++y) {
        Uint8* row = static_cast<Uint8*>(screen->pixels) + screen->pitch * y;
        const int offset = y * backdropWidth;
        if (f->palette) {
            blendRowPalette(y, uint32_t(w));
        } else if (f->BytesPerPixel == 4) {
            blendRow<Uint32, PixelLanes>(reinterpret_cast<Uint32*>(row), offset, uint32_t(w), p);
        } else if (f->BytesPerPixel == 2) {
            blendRow<Uint16, PixelWordLanes>(reinterpret_cast<Uint16*>(row), offset, uint32_t(w),
                                             p);
        } else if (f->BytesPerPixel == 3) {
            blendRow24(row, offset, uint32_t(w), p);
        }
    }
    unlockPixels(screen);
}

// Drawn from the level before this pass's easing step. Without a frosted surface the full
// level is a blend at weight 100, which is the frost itself.
static void drawBackdrop(double level) {
    if (level == 0.0) {
        return;
    }
    if (level == 100.0 && frostedSurface) {
        SDL_BlitSurface(frostedSurface, nullptr, screen, nullptr);
        return;
    }
    blendFrame(level == 100.0 ? 100 : int(level));
}

// ---------------------------------------------------------------------------------------------
// Fade
// ---------------------------------------------------------------------------------------------

// A fifteenth of the distance plus a half step, so the fade arrives and then snaps exactly.
double easeFade(double level, bool open) {
    if (open) {
        const double next = (level * 14 + 100) / 15 + 0.5;
        return next > 100 ? 100.0 : next;
    }
    const double next = (level * 14 + 0) / 15 - 0.5;
    return next < 0 ? 0.0 : next;
}

int slideWithFade(double fade, int closed, int open) {
    return int(((100 - fade) / 100) * closed + (fade / 100) * open);
}

// Reopening during a fade-out captures nothing: the world has not drawn since the last
// capture, so the stored frame is still the one on display. Returns whether to capture.
static bool handleEscape() {
    if (keyStates[escapeKey] != Pressed) {
        return false;
    }
    menuOpen = !menuOpen;
    return menuOpen && fadeLevel == 0.0;
}

void updateFrostedBackdrop() {
    if (handleEscape()) {
        captureFrame();
    }
    drawBackdrop(fadeLevel);
    fadeLevel = easeFade(fadeLevel, menuOpen);
}
