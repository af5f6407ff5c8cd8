// The frosted backdrop and the fade: the capture and every blended pass against the plain
// reading at 8, 16, 24 and 32 bits, reopening, and a palette screen. (The easing's passes are
// in the frames' hashes.)
#include "app/input.h"
#include "overlay/backdrop.h"
#include "overlay/fade.h"
#include "overlay/overlay.h"
#include "support.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

// A frame as the plain reading keeps it: channel c of pixel (x, y) at at(x, y, c).
using Frame = std::vector<uint8_t>;

size_t at(int x, int y, int c) {
    return (size_t(c) * 480 + size_t(y)) * 640 + size_t(x);
}

// One blur pass read plainly, pixel by pixel, over the pixels whose samples lie inside.
void blur(const Frame& from, Frame& to, int d, int addend) {
    for (int x = d; x < 640 - d; ++x) {
        for (int y = d; y < 480 - d; ++y) {
            for (int c = 0; c < 3; ++c) {
                const int sum = from[at(x - d, y, c)] + from[at(x + d, y, c)] +
                                from[at(x, y - d, c)] + from[at(x, y + d, c)] + addend;
                to[at(x, y, c)] = uint8_t(sum / 4);
            }
        }
    }
}

// Six passes, both buffers starting as the frame, then the wash-out.
Frame frostOf(Frame a) {
    Frame b = a;
    blur(a, b, 3, 0);
    blur(b, a, 3, 1);
    blur(a, b, 1, 0);
    blur(b, a, 1, 0);
    blur(a, b, 1, 0);
    blur(b, a, 1, 0);
    for (uint8_t& v : a) {
        v = uint8_t(std::clamp(std::clamp(std::clamp(v + 50, 0, 255) - 100, 0, 255) + 100, 0, 255));
    }
    return a;
}

std::vector<Uint32> blendOf(const Frame& frost, const Frame& sharp, int w) {
    std::vector<Uint32> pixels;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            uint8_t v[3];
            for (int c = 0; c < 3; ++c) {
                v[c] = uint8_t((frost[at(x, y, c)] * w + sharp[at(x, y, c)] * (100 - w)) / 100);
            }
            pixels.push_back(SDL_MapRGB(screen->format, v[0], v[1], v[2]));
        }
    }
    return pixels;
}

class BackdropTest : public OverlayTest, public ::testing::WithParamInterface<int> {
  protected:
    static void pass(bool escape) {
        keyStates[27] = escape ? Pressed : Up;
        runOverlayFrame();
        keyStates[27] = Up;
    }
};

// Three frames: noise, smooth gradients, and hard black and white edges.
Uint32 paint(int frame, int x, int y, std::mt19937& random) {
    const SDL_PixelFormat* f = screen->format;
    switch (frame) {
    case 0:
        return Uint32(random()) & (f->Rmask | f->Gmask | f->Bmask);
    case 1:
        return SDL_MapRGB(f, Uint8(x), Uint8(y), Uint8(x * y));
    default:
        return (x / 3 + y / 5) % 2 ? SDL_MapRGB(f, 255, 255, 255) : 0;
    }
}

TEST_P(BackdropTest, CaptureAndBlendMatchThePlainReadingOnEveryPixel) {
    openOverlay(GetParam());
    const PixelLayout layout = describePixels(screen->format); // widening has its own test
    std::mt19937 random(1);
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        Frame sharp(640 * 480 * 3);
        for (int x = 0; x < 640; ++x) {
            for (int y = 0; y < 480; ++y) {
                writePixel(screen, x, y, paint(frame, x, y, random));
                unpackColour(layout, readPixel(screen, x, y), &sharp[at(x, y, 0)],
                             &sharp[at(x, y, 1)], &sharp[at(x, y, 2)]);
            }
        }
        const std::vector<Uint32> live = rawPixels(screen);
        const Frame frost = frostOf(sharp);
        menuOpen = false;
        fadeLevel = 0;
        pass(true);
        ASSERT_EQ(rawPixels(screen), live) << "the capturing pass draws nothing";
        for (int w : {1, 7, 33, 50, 98, 99, 100}) {
            fadeLevel = w < 100 ? w + 0.25 : 100.0;
            pass(false);
            ASSERT_EQ(rawPixels(screen), blendOf(frost, sharp, w)) << "weight " << w;
        }
        fadeLevel = 0.5;
        pass(false);
        EXPECT_EQ(rawPixels(screen), live) << "weight 0 is the sharp frame exactly";
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BackdropTest, ::testing::Values(8, 16, 24, 32),
                         testing::PrintToStringParamName());

class FadeTest : public BackdropTest {};

// Black frozen, white drawn since: a fresh capture would frost towards white.
TEST_F(FadeTest, EscapeDuringTheFadeOutReopensTheSameFrozenFrame) {
    openOverlay();
    for (int n = 0; n < 12; ++n) {
        pass(n == 0 || n == 10);
    }
    ASSERT_GT(fadeLevel, 0.0);
    SDL_FillRect(screen, nullptr, 0xFFFFFF);
    pass(true);
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(rgbAt(frostedSurface, 320, 240), 0x646464u);
}

// Without scratch surfaces the frost comes from the game's own planes, and a palette screen
// has its colours looked up rather than packed.
TEST_F(FadeTest, APaletteScreenWithoutScratchSurfacesStillShowsTheFrost) {
    openOverlay(8);
    SDL_FreeSurface(snapshotSurface);
    SDL_FreeSurface(frostedSurface);
    snapshotSurface = nullptr;
    frostedSurface = nullptr;
    for (int n = 0; n < 40; ++n) {
        SDL_FillRect(screen, nullptr, 0); // what the world draws in each pass
        pass(n == 0);
    }
    EXPECT_EQ(readPixel(screen, 320, 240), SDL_MapRGB(screen->format, 100, 100, 100));
}

} // namespace
