// Capturing, frosting and blending the frozen frame behind the pause overlay.
#include "overlay/backdrop.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/pixels.h"
#include "overlay/assets.h"

#include <algorithm>
#include <cstring>

// ---- State ----------------------------------------------------------------------------------

// The frozen frame, one row-major plane per channel (red, green, blue), so the blur and the blend
// walk contiguous bytes the compiler vectorises. frostedPlanes ends each capture holding the
// frost; sharpPlanes, the blur's second buffer, ends holding the sharp frame.
static constexpr int backdropWidth = 640;
static constexpr int backdropHeight = 480;
static constexpr int planeSize = backdropWidth * backdropHeight;
static uint8_t frostedPlanes[3][planeSize] = {};
static uint8_t sharpPlanes[3][planeSize] = {};

// ---- Capture --------------------------------------------------------------------------------

static void readFrame(SDL_Surface* surface, uint8_t (*planes)[planeSize]) {
    const PixelLayout layout = describePixels(surface->format);
    SDL_LockSurface(surface);
    forBytesPerPixel(layout.bytesPerPixel, [&](auto bytes) {
        for (int y = 0; y < backdropHeight; ++y) {
            const Uint8* row = rowStart(surface, y);
            const int i = y * backdropWidth;
            for (int x = 0; x < backdropWidth; ++x) {
                unpackColour(layout, loadPixel<bytes()>(row + bytes() * x), &planes[0][i + x],
                             &planes[1][i + x], &planes[2][i + x]);
            }
        }
    });
    SDL_UnlockSurface(surface);
}

// One blur pass over one plane: every pixel whose four samples, `distance` pixels away left,
// right, up and down, lie inside the frame becomes (the four samples + addend) / 4; the others
// keep what they held. Sixteen pixels at a time, the last sixteen ending on the row's last:
// fixed counts over two planes that never meet, which the compiler vectorises without -march.
static void crossAverage(const uint8_t* from, uint8_t* to, int distance, unsigned addend) {
    const int up = distance * backdropWidth;
    for (int y = distance; y < backdropHeight - distance; ++y) {
        const int last = y * backdropWidth + backdropWidth - distance - 16;
        for (int i = y * backdropWidth + distance; i < last + 16; i += 16) {
            const int n = std::min(i, last);
#ifndef __clang__ // which checks for overlap itself
#pragma GCC ivdep
#endif
            for (int k = n; k < n + 16; ++k) {
                to[k] = uint8_t((from[k - distance] + from[k + distance] + from[k - up] +
                                 from[k + up] + addend) >>
                                2);
            }
        }
    }
}

// Two wide passes spread the light, four narrow ones smooth what they leave; each pass
// writes the buffer the previous one read, and the blur ends where it started.
static void blurPlane(uint8_t* frost, uint8_t* scratch) {
    std::memcpy(scratch, frost, planeSize);
    crossAverage(frost, scratch, 3, 0);
    crossAverage(scratch, frost, 3, 1);
    crossAverage(frost, scratch, 1, 0);
    crossAverage(scratch, frost, 1, 0);
    crossAverage(frost, scratch, 1, 0);
    crossAverage(scratch, frost, 1, 0);
}

// Three clamped steps towards light tones: add 50, take 100, add 100.
static void washOutPlane(uint8_t* plane) {
    uint8_t washed[256] = {};
    for (int c = 0; c < 256; ++c) {
        const int value = std::max(std::min(c + 50, 255) - 100, 0);
        washed[c] = uint8_t(std::min(value + 100, 255));
    }
    for (int i = 0; i < planeSize; ++i) {
        plane[i] = washed[plane[i]];
    }
}

// ---- Blend ----------------------------------------------------------------------------------

// (frost * w + sharp * (100 - w)) / 100 for sixteen pixels of one channel. The weighted sum
// is at most 25,500, so it fits 16 bits, and a weighted mean of two bytes never exceeds 255,
// so it needs no clamp.
static void mixSixteen(const uint8_t* __restrict frost, const uint8_t* __restrict sharp, uint16_t w,
                       uint16_t* __restrict mixed) {
    for (int k = 0; k < 16; ++k) {
        mixed[k] = uint16_t(uint16_t(frost[k] * w + sharp[k] * (100 - w)) / 100);
    }
}

// Every pixel of the target is written, sixteen at a time: mixed, packed by shifts in fixed
// counts the compiler vectorises (a palette's SDL_MapRGB then takes their place) and stored. At
// weight 100 the blend is the frost itself, which is how the frost's surface is written too.
static void blendInto(SDL_Surface* target, int w) {
    const ColourPacking p = describePixels(target->format).packing;
    SDL_LockSurface(target);
    forBytesPerPixel(target->format->BytesPerPixel, [&](auto bytes) {
        for (int y = 0; y < backdropHeight; ++y) {
            Uint8* row = rowStart(target, y);
            for (int x = 0; x < backdropWidth; x += 16) {
                uint16_t mixed[3][16];
                for (int c = 0; c < 3; ++c) {
                    const int i = y * backdropWidth + x;
                    mixSixteen(frostedPlanes[c] + i, sharpPlanes[c] + i, uint16_t(w), mixed[c]);
                }
                Uint32 packed[16];
                for (int k = 0; k < 16; ++k) {
                    packed[k] = packShifted(p, mixed[0][k], mixed[1][k], mixed[2][k]);
                }
                for (int k = 0; k < 16 && p.bySdl; ++k) {
                    packed[k] = SDL_MapRGB(p.format, Uint8(mixed[0][k]), Uint8(mixed[1][k]),
                                           Uint8(mixed[2][k]));
                }
                for (int k = 0; k < 16; ++k) {
                    storePixel<bytes()>(row + bytes() * (x + k), packed[k]);
                }
            }
        }
    });
    SDL_UnlockSurface(target);
}

// ---- Backdrop -------------------------------------------------------------------------------

// Without a snapshot the screen, which still shows the same frame, serves for the sharp image:
// the classic SDL refuses a blit to a null surface, but the compatibility library crashes.
void captureBackdrop() {
    if (snapshotSurface) {
        SDL_BlitSurface(screen, nullptr, snapshotSurface, nullptr);
    }
    readFrame(screen, frostedPlanes);
    for (int c = 0; c < 3; ++c) {
        blurPlane(frostedPlanes[c], sharpPlanes[c]);
        washOutPlane(frostedPlanes[c]);
    }
    if (frostedSurface) {
        blendInto(frostedSurface, 100);
    }
    readFrame(snapshotSurface ? snapshotSurface : screen, sharpPlanes);
}

// Without a frosted surface the full level is a blend at weight 100, which is the frost.
void drawBackdrop(double level) {
    if (level == 0.0) {
        return;
    }
    if (level == 100.0 && frostedSurface) {
        blitCell(frostedSurface, nullptr, 0, 0);
        return;
    }
    blendInto(screen, int(level));
}
