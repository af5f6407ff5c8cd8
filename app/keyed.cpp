// Colour-keyed images: their opaque runs found once and copied, clipped as SDL clips.
#include "app/keyed.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/pixels.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

// SDL's keyed blit between 3- and 4-byte formats rebuilds each pixel from its red, green and
// blue bits, so a pixel with other bits set would not arrive as it is, and neither would one
// under an alpha mask.
static bool plainlyKeyed(const SDL_Surface* image) {
    const SDL_PixelFormat* f = image->format;
    return (image->flags & SDL_SRCCOLORKEY) && copiesAsIs(image, f) && f->Amask == 0 &&
           f->BytesPerPixel >= 2 && f->BytesPerPixel <= 4;
}

static bool drawableByRuns(const SDL_Surface* image, const OpaqueRuns& runs) {
    return image && runs.image == image && runs.pixels == image->pixels &&
           runs.key == image->format->colorkey && plainlyKeyed(image) &&
           copiesAsIs(image, screen->format);
}

// ---------------------------------------------------------------------------------------------
// Runs
// ---------------------------------------------------------------------------------------------

OpaqueRuns findOpaqueRuns(SDL_Surface* image) {
    OpaqueRuns found;
    if (!image || !plainlyKeyed(image)) {
        return found;
    }
    const SDL_PixelFormat* f = image->format;
    const Uint32 colourBits = f->Rmask | f->Gmask | f->Bmask;
    bool clean = true;
    lockPixels(image);
    forBytesPerPixel(f->BytesPerPixel, [&](auto bytes) {
        for (int y = 0; y < image->h; ++y) {
            found.firstRun.push_back(int(found.runs.size()));
            const Uint8* row = rowStart(image, y);
            int x = 0;
            while (x < image->w) {
                const int start = x;
                while (x < image->w && loadPixel<bytes()>(row + bytes() * x) != f->colorkey) {
                    clean = clean && (loadPixel<bytes()>(row + bytes() * x) & ~colourBits) == 0;
                    ++x;
                }
                if (x > start) {
                    found.runs.push_back(OpaqueRun{start, x - start});
                }
                ++x;
            }
        }
    });
    unlockPixels(image);
    found.firstRun.push_back(int(found.runs.size()));
    if (clean) {
        found.image = image;
        found.pixels = image->pixels;
        found.key = f->colorkey;
    }
    return found;
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

// The clipping is SDL_UpperBlit's for a null source rectangle: the whole image placed at the
// 16-bit position, cut to the screen's clip rectangle.
void drawKeyedImage(SDL_Surface* image, const OpaqueRuns& runs, int x, int y) {
    if (!drawableByRuns(image, runs)) {
        blitCell(image, nullptr, x, y);
        return;
    }
    const SDL_Rect at = makeRect(x, y, 0, 0);
    const SDL_Rect& clip = screen->clip_rect;
    const int left = std::max(int(at.x), int(clip.x));
    const int right = std::min(at.x + image->w, clip.x + clip.w);
    const int top = std::max(int(at.y), int(clip.y));
    const int bottom = std::min(at.y + image->h, clip.y + clip.h);
    if (left >= right || top >= bottom) {
        return;
    }
    lockPixels(screen);
    lockPixels(image);
    forBytesPerPixel(image->format->BytesPerPixel, [&](auto bytes) {
        for (int sy = top; sy < bottom; ++sy) {
            const int iy = sy - at.y;
            const Uint8* from = rowStart(image, iy);
            Uint8* to = rowStart(screen, sy);
            for (int r = runs.firstRun[iy]; r < runs.firstRun[iy + 1]; ++r) {
                const OpaqueRun& run = runs.runs[r];
                const int runLeft = std::max(at.x + run.start, left);
                const int runRight = std::min(at.x + run.start + run.length, right);
                if (runLeft < runRight) {
                    std::memcpy(to + bytes() * runLeft, from + bytes() * (runLeft - at.x),
                                size_t(bytes()) * size_t(runRight - runLeft));
                }
            }
        }
    });
    unlockPixels(image);
    unlockPixels(screen);
}
