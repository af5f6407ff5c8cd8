// Capturing, frosting and blending the frozen frame behind the pause overlay.
#include "overlay/backdrop.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/pixels.h"
#include "overlay/assets.h"

#include <cstring>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// The frozen frame, one row-major plane per channel (red, green, blue), so the blur and the
// blend walk contiguous bytes that the compiler can vectorise. frostedPlanes ends each
// capture holding the frost; sharpPlanes is the blur's second buffer and ends holding the
// sharp frame.
static constexpr int planeSize = backdropWidth * backdropHeight;
static uint8_t frostedPlanes[3][planeSize] = {};
static uint8_t sharpPlanes[3][planeSize] = {};

// Lanes of bytes widened to 16 bits, so sums cannot overflow; GCC maps them onto whatever
// vector registers the target has, without -march.
typedef uint8_t Bytes16 __attribute__((vector_size(16)));
typedef uint16_t Words16 __attribute__((vector_size(32)));

// ---------------------------------------------------------------------------------------------
// Capture
// ---------------------------------------------------------------------------------------------

// A palette surface goes through SDL for every pixel; any other through the layout's tables.
static void readFrame(SDL_Surface* surface, uint8_t (*planes)[planeSize]) {
    const PixelLayout layout = describePixels(surface->format);
    lockPixels(surface);
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
    unlockPixels(surface);
}

static Bytes16 loadBytes16(const uint8_t* p) {
    Bytes16 lanes;
    std::memcpy(&lanes, p, sizeof lanes);
    return lanes;
}

// Sixteen pixels at a time along each row, with a plain tail for the rest of the row.
void crossAverage(const uint8_t* from, uint8_t* to, int distance, int addend) {
    const int up = distance * backdropWidth;
    const int last = backdropWidth - distance;
    for (int y = distance; y < backdropHeight - distance; ++y) {
        const int row = y * backdropWidth;
        int x = distance;
        for (; x + 16 <= last; x += 16) {
            const int i = row + x;
            const Words16 sum = __builtin_convertvector(loadBytes16(from + i - distance), Words16) +
                                __builtin_convertvector(loadBytes16(from + i + distance), Words16) +
                                __builtin_convertvector(loadBytes16(from + i - up), Words16) +
                                __builtin_convertvector(loadBytes16(from + i + up), Words16) +
                                uint16_t(addend);
            const Bytes16 average = __builtin_convertvector(sum >> 2, Bytes16);
            std::memcpy(to + i, &average, sizeof average);
        }
        for (; x < last; ++x) {
            const int i = row + x;
            to[i] = uint8_t((unsigned(from[i - distance]) + from[i + distance] + from[i - up] +
                             from[i + up] + unsigned(addend)) >>
                            2);
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

static int clampChannel(int value) {
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

// Three clamped steps towards light tones: add 50, take 100, add 100.
static uint8_t washOut(uint8_t channel) {
    int value = clampChannel(channel + 50);
    value = clampChannel(value - 100);
    value = clampChannel(value + 100);
    return uint8_t(value);
}

static void washOutPlane(uint8_t* plane) {
    uint8_t washed[256] = {};
    for (int c = 0; c < 256; ++c) {
        washed[c] = washOut(uint8_t(c));
    }
    for (int i = 0; i < planeSize; ++i) {
        plane[i] = washed[plane[i]];
    }
}

// ---------------------------------------------------------------------------------------------
// Blend
// ---------------------------------------------------------------------------------------------

// (frost * w + sharp * (100 - w)) / 100 for sixteen pixels of one channel. The weighted sum
// is at most 25500, so it fits the 16-bit lanes, and a weighted mean of two bytes never
// exceeds 255, so it needs no clamp.
static ChannelWords16 mixSixteen(const uint8_t* frost, const uint8_t* sharp, uint16_t w) {
    ChannelBytes16 f;
    ChannelBytes16 s;
    std::memcpy(&f, frost, sizeof f);
    std::memcpy(&s, sharp, sizeof s);
    const ChannelWords16 fw = widenBytes(f);
    const ChannelWords16 sw = widenBytes(s);
    const uint16_t rest = uint16_t(100 - w);
    return ChannelWords16{(fw.low * w + sw.low * rest) / uint16_t(100),
                          (fw.high * w + sw.high * rest) / uint16_t(100)};
}

static Uint8 valueAt(const ChannelWords16& values, int lane) {
    return Uint8(lane < 8 ? values.low[lane] : values.high[lane - 8]);
}

// Sixteen pixels at a time; a row of 640 leaves no remainder. The packing comes by value so
// it stays in registers across the stores.
template <int Bytes>
static void blendRow(Uint8* out, int offset, uint16_t w, const ColourPacking packing) {
    for (int x = 0; x < backdropWidth; x += 16) {
        const int i = offset + x;
        const ChannelWords16 r = mixSixteen(frostedPlanes[0] + i, sharpPlanes[0] + i, w);
        const ChannelWords16 g = mixSixteen(frostedPlanes[1] + i, sharpPlanes[1] + i, w);
        const ChannelWords16 b = mixSixteen(frostedPlanes[2] + i, sharpPlanes[2] + i, w);
        Uint32 packed[16];
        if (!packing.bySdl) {
            packColours16(packing, r, g, b, packed);
        } else {
            for (int lane = 0; lane < 16; ++lane) {
                packed[lane] =
                    packColour(packing, valueAt(r, lane), valueAt(g, lane), valueAt(b, lane));
            }
        }
        if constexpr (Bytes == 4) {
            std::memcpy(out + Bytes * x, packed, sizeof packed);
        } else {
            for (int lane = 0; lane < 16; ++lane) {
                storePixel<Bytes>(out + Bytes * (x + lane), packed[lane]);
            }
        }
    }
}

// Every pixel of the target is written. At weight 100 the blend is the frost itself, which
// is how the frost is written into its surface too. Each row is blended into a buffer and
// streamed out whole, as the screen's rows were read back by the window system.
static void blendInto(SDL_Surface* target, int w) {
    const ColourPacking packing = describePixels(target->format).packing;
    lockPixels(target);
    forBytesPerPixel(target->format->BytesPerPixel, [&](auto bytes) {
        alignas(16) Uint8 row[bytes() * backdropWidth];
        for (int y = 0; y < backdropHeight; ++y) {
            blendRow<bytes()>(row, y * backdropWidth, uint16_t(w), packing);
            streamBytes(rowStart(target, y), row, sizeof row);
        }
    });
    endStreaming();
    unlockPixels(target);
}

// ---------------------------------------------------------------------------------------------
// Backdrop
// ---------------------------------------------------------------------------------------------

// The snapshot is an exact copy of the screen, so without one the screen itself, which
// still shows the same frame, serves for the sharp image. The classic SDL refuses a blit
// to a null surface, but SDL 1.2's compatibility library crashes on one.
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
    blendInto(screen, level == 100.0 ? 100 : int(level));
}
