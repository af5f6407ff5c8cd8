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
static uint8_t frostedPixels[frameBytes] = {};
static uint8_t sharpPixels[frameBytes] = {};

// The same two images again, row-major, one plane per channel, so the per-pass blend is one
// contiguous walk that the compiler can vectorise. Made at capture time alongside the above.
constexpr int planeSize = frameWidth * frameHeight;
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

static Uint32 loadWord(const Uint8* p, int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 2: {
        Uint16 word = 0;
        std::memcpy(&word, p, sizeof word);
        return word;
    }
    case 3:
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    default: {
        Uint32 word = 0;
        std::memcpy(&word, p, sizeof word);
        return word;
    }
    }
}

static void storeWord(Uint8* p, int bytesPerPixel, Uint32 value) {
    switch (bytesPerPixel) {
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
    default:
        std::memcpy(p, &value, sizeof value);
        break;
    }
}

// Pixel loops touch surface memory directly; some surfaces only have it while locked.
static void lockPixels(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
}

static void unlockPixels(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
}

// ---------------------------------------------------------------------------------------------
// Capture
// ---------------------------------------------------------------------------------------------

// The frame's red, green and blue into a column-major buffer and into the row-major planes.
static void readFrame(SDL_Surface* surface, uint8_t* columns, uint8_t (*planes)[planeSize]) {
    const FormatLayout layout = layoutOf(surface->format);
    lockPixels(surface);
    for (int y = 0; y < frameHeight; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + surface->pitch * y;
        for (int x = 0; x < frameWidth; ++x) {
            Uint8 rgb[3] = {0, 0, 0};
            if (layout.direct) {
                const Uint32 pixel = loadWord(row + layout.bytesPerPixel * x, layout.bytesPerPixel);
                for (int c = 0; c < 3; ++c) {
                    const ChannelLayout& ch = layout.channel[c];
                    rgb[c] = ch.widened[(pixel & ch.mask) >> ch.shift];
                }
            } else {
                SDL_GetRGB(readPixel(surface, x, y), surface->format, &rgb[0], &rgb[1], &rgb[2]);
            }
            for (int c = 0; c < 3; ++c) {
                columns[x * columnBytes + y * 3 + c] = rgb[c];
                planes[c][y * frameWidth + x] = rgb[c];
            }
        }
    }
    unlockPixels(surface);
}

// x outer and y inner keeps every access a contiguous run of the column-major buffers.
void crossAverage(const uint8_t* from, uint8_t* to, int distance, int addend) {
    const int across = distance * columnBytes;
    const int down = distance * 3;
    for (int x = distance; x < frameWidth - distance; ++x) {
        const int first = x * columnBytes + down;
        const int last = (x + 1) * columnBytes - down;
        for (int i = first; i < last; ++i) {
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
    for (int i = 0; i < frameBytes; ++i) {
        frostedPixels[i] = washOut(frostedPixels[i]);
    }
}

// The frost into its surface, as SDL_MapRGB packs it, and into the row-major planes.
static void writeFrost() {
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < frameWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                frostedPlanes[c][y * frameWidth + x] = frostedPixels[x * columnBytes + y * 3 + c];
            }
        }
    }
    if (!frostedSurface) {
        return;
    }
    const FormatLayout layout = layoutOf(frostedSurface->format);
    lockPixels(frostedSurface);
    for (int y = 0; y < frameHeight; ++y) {
        Uint8* row = static_cast<Uint8*>(frostedSurface->pixels) + frostedSurface->pitch * y;
        for (int x = 0; x < frameWidth; ++x) {
            const uint8_t* rgb = frostedPixels + x * columnBytes + y * 3;
            if (layout.direct) {
                Uint32 pixel = layout.alphaMask;
                for (int c = 0; c < 3; ++c) {
                    pixel |= Uint32(rgb[c] >> layout.channel[c].loss) << layout.channel[c].shift;
                }
                storeWord(row + layout.bytesPerPixel * x, layout.bytesPerPixel, pixel);
            } else {
                writePixel(frostedSurface, x, y,
                           SDL_MapRGB(frostedSurface->format, rgb[0], rgb[1], rgb[2]));
            }
        }
    }
    unlockPixels(frostedSurface);
}

// The snapshot is an exact copy of the screen, so without one the screen itself, which
// still shows the same frame, serves for the sharp image.
static void captureFrame() {
    SDL_BlitSurface(screen, nullptr, snapshotSurface, nullptr);
    readFrame(screen, frostedPixels, frostedPlanes);
    std::memcpy(sharpPixels, frostedPixels, frameBytes);
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
static inline uint32_t mix(uint32_t frost, uint32_t sharp, uint32_t w) {
    return (frost * w + sharp * (100 - w)) / 100;
}

template <typename Word> static void blendRow(Word* out, int offset, uint32_t w, Packing p) {
    const uint8_t* fr = frostedPlanes[0] + offset;
    const uint8_t* fg = frostedPlanes[1] + offset;
    const uint8_t* fb = frostedPlanes[2] + offset;
    const uint8_t* sr = sharpPlanes[0] + offset;
    const uint8_t* sg = sharpPlanes[1] + offset;
    const uint8_t* sb = sharpPlanes[2] + offset;
    for (int x = 0; x < frameWidth; ++x) {
        const uint32_t r = mix(fr[x], sr[x], w);
        const uint32_t g = mix(fg[x], sg[x], w);
        const uint32_t b = mix(fb[x], sb[x], w);
        out[x] = Word((r >> p.rLoss) << p.rShift | (g >> p.gLoss) << p.gShift |
                      (b >> p.bLoss) << p.bShift);
    }
}

static void blendRow24(Uint8* out, int offset, uint32_t w, Packing p) {
    for (int x = 0; x < frameWidth; ++x) {
        const int i = offset + x;
        const uint32_t r = mix(frostedPlanes[0][i], sharpPlanes[0][i], w);
        const uint32_t g = mix(frostedPlanes[1][i], sharpPlanes[1][i], w);
        const uint32_t b = mix(frostedPlanes[2][i], sharpPlanes[2][i], w);
        storeWord(out + 3 * x, 3,
                  (r >> p.rLoss) << p.rShift | (g >> p.gLoss) << p.gShift |
                      (b >> p.bLoss) << p.bShift);
    }
}

// Shift-and-loss packing means nothing on a palette screen (it would be all black), so
// there each mixed colour is looked up in the palette instead.
static void blendRowPalette(int y, uint32_t w) {
    for (int x = 0; x < frameWidth; ++x) {
        const int i = y * frameWidth + x;
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
    for (int y = 0; y < frameHeight; ++y) {
        Uint8* row = static_cast<Uint8*>(screen->pixels) + screen->pitch * y;
        const int offset = y * frameWidth;
        if (f->palette) {
            blendRowPalette(y, uint32_t(w));
        } else if (f->BytesPerPixel == 4) {
            blendRow(reinterpret_cast<Uint32*>(row), offset, uint32_t(w), p);
        } else if (f->BytesPerPixel == 2) {
            blendRow(reinterpret_cast<Uint16*>(row), offset, uint32_t(w), p);
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
