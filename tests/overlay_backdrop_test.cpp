#include "app/input.h"
#include "overlay/backdrop.h"
#include "overlay/fade.h"
#include "overlay_test_support.h"

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace {

using Frame = std::vector<uint8_t>; // red, green and blue planes, each 640 x 480 row-major
constexpr size_t frameBytes = 640 * 480 * 3;

size_t at(int x, int y, int c) {
    return size_t(c) * 640 * 480 + size_t(y) * 640 + size_t(x);
}

template <class F> std::vector<Uint32> each(F f) {
    std::vector<Uint32> pixels;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            pixels.push_back(f(x, y));
    return pixels;
}

std::vector<Uint32> raw(SDL_Surface* s) {
    return each([s](int x, int y) { return readPixel(s, x, y); });
}

// The plain reading of the capture, one pixel at a time: SDL's colours, six blur passes
// that skip the outer ring, the wash-out.
void blur(const Frame& from, Frame& to, int d, int addend) {
    for (int x = d; x < 640 - d; ++x)
        for (int y = d; y < 480 - d; ++y)
            for (int c = 0; c < 3; ++c)
                to[at(x, y, c)] = uint8_t((from[at(x - d, y, c)] + from[at(x + d, y, c)] +
                                           from[at(x, y - d, c)] + from[at(x, y + d, c)] + addend) /
                                          4);
}

Frame frostOf(Frame a) {
    Frame b = a;
    blur(a, b, 3, 0);
    blur(b, a, 3, 1);
    for (int pass = 0; pass < 2; ++pass) {
        blur(a, b, 1, 0);
        blur(b, a, 1, 0);
    }
    for (uint8_t& v : a)
        v = uint8_t(std::clamp(v + 50, 100, 255));
    return a;
}

class BackdropTest : public OverlayTest {
  protected:
    static void step(bool escape) {
        keyStates[27] = escape ? Pressed : Up;
        updateFrostedBackdrop();
        keyStates[27] = Up;
    }
};

class BackdropDepthTest : public BackdropTest, public ::testing::WithParamInterface<int> {};

TEST_P(BackdropDepthTest, CaptureAndBlendMatchThePlainReadingOnEveryPixel) {
    openOverlay(GetParam());
    std::mt19937 random(1);
    const SDL_PixelFormat* f = screen->format;
    const std::function<Uint32(int, int)> frames[] = {
        [&](int, int) { return Uint32(random()) & (f->Rmask | f->Gmask | f->Bmask); },
        [f](int x, int y) { return SDL_MapRGB(f, Uint8(x), Uint8(y), Uint8(x * y)); },
        [f](int x, int y) { return (x / 3 + y / 5) % 2 ? SDL_MapRGB(f, 255, 255, 255) : 0; }};
    for (const auto& paint : frames) {
        Frame sharp(frameBytes);
        for (int x = 0; x < 640; ++x)
            for (int y = 0; y < 480; ++y) {
                writePixel(screen, x, y, paint(x, y));
                SDL_GetRGB(readPixel(screen, x, y), f, &sharp[at(x, y, 0)], &sharp[at(x, y, 1)],
                           &sharp[at(x, y, 2)]);
            }
        const std::vector<Uint32> live = raw(screen);
        const Frame frost = frostOf(sharp);
        auto blended = [&](int w) {
            return each([&](int x, int y) {
                uint8_t v[3];
                for (int c = 0; c < 3; ++c)
                    v[c] = uint8_t((frost[at(x, y, c)] * w + sharp[at(x, y, c)] * (100 - w)) / 100);
                return SDL_MapRGB(f, v[0], v[1], v[2]);
            });
        };

        menuOpen = false;
        fadeLevel = 0;
        step(true);
        ASSERT_EQ(raw(screen), live) << "the capturing pass draws nothing";
        for (int w : {1, 2, 7, 13, 33, 50, 64, 98, 99, 100}) {
            fadeLevel = w < 100 ? w + 0.25 : 100.0;
            step(false);
            ASSERT_EQ(raw(screen), blended(w)) << "weight " << w;
        }
        fadeLevel = 0.5;
        step(false);
        EXPECT_EQ(raw(screen), live) << "weight 0 is the sharp frame exactly";
    }
}

// (0, 130, 255) survives 16 bits and frosts to (100, 180, 255) everywhere; at weight 40 the
// mix is (40, 150, 255), of which 16 bits keep 5, 6 and 5 bits.
TEST_P(BackdropDepthTest, AUniformFrameFrostsUniformlyAndTheBlendPacksByShiftAndLoss) {
    openOverlay(GetParam());
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 130, 255));
    step(true);
    fadeLevel = 40.9;
    step(false);
    const Uint32 packed =
        GetParam() == 16 ? (40 >> 3) << 11 | (150 >> 2) << 5 | 255 >> 3 : 40 << 16 | 150 << 8 | 255;
    for (const auto& [x, y] : {std::pair{0, 0}, {320, 240}, {639, 479}}) {
        EXPECT_EQ(readPixel(frostedSurface, x, y), SDL_MapRGB(screen->format, 100, 180, 255));
        EXPECT_EQ(readPixel(screen, x, y), packed);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BackdropDepthTest, ::testing::Values(16, 24, 32));

// A bright pixel gives a quarter of itself (with the addend) to the four samples d away and
// nothing to itself; the d outermost rows and columns keep what they held.
TEST(CrossAverage, SpreadsABrightPixelAndLeavesTheOuterRing) {
    Frame from(640 * 480, 0);
    Frame to(640 * 480, 9);
    from[at(100, 100, 0)] = 202;
    crossAverage(from.data(), to.data(), 3, 2);
    struct Case {
        int x, y, value;
        const char* what;
    };
    const Case cases[] = {{97, 100, 51, "left sample"},     {103, 100, 51, "right sample"},
                          {100, 97, 51, "upper sample"},    {100, 103, 51, "lower sample"},
                          {100, 100, 0, "the pixel itself"}, {101, 100, 0, "a pixel beside it"},
                          {3, 3, 0, "first pixel inside"},  {636, 476, 0, "last pixel inside"},
                          {2, 240, 9, "left ring"},          {637, 240, 9, "right ring"},
                          {320, 2, 9, "top ring"},           {320, 477, 9, "bottom ring"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(to[at(c.x, c.y, 0)], c.value);
    }
}

TEST_F(BackdropTest, OpeningAndClosingEachLandExactlyInThirtyNinePasses) {
    openOverlay();
    for (double target : {100.0, 0.0}) {
        int passes = 0;
        do
            step(passes++ == 0);
        while (fadeLevel != target && passes < 100);
        EXPECT_EQ(passes, 39) << target;
        step(false);
        EXPECT_EQ(fadeLevel, target) << "at rest it holds";
    }
}

// Black frozen, white drawn since: a fresh capture would frost towards white.
TEST_F(BackdropTest, EscapeDuringTheFadeOutReopensTheSameFrozenFrame) {
    openOverlay();
    for (int pass = 0; pass < 12; ++pass)
        step(pass == 0 || pass == 10);
    ASSERT_GT(fadeLevel, 0.0);
    SDL_FillRect(screen, nullptr, 0xFFFFFF);
    step(true);
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(rgbAt(frostedSurface, 320, 240), 0x646464u);
}

// Without scratch surfaces the frost comes from the game's own buffers, and a palette screen
// has its colours looked up rather than packed.
TEST_F(BackdropTest, APaletteScreenWithoutScratchSurfacesStillShowsTheFrost) {
    openOverlay(8);
    SDL_FreeSurface(snapshotSurface);
    SDL_FreeSurface(frostedSurface);
    snapshotSurface = frostedSurface = nullptr;
    for (int pass = 0; pass < 40; ++pass) {
        SDL_FillRect(screen, nullptr, 0); // what the world draws in each pass
        step(pass == 0);
    }
    EXPECT_EQ(readPixel(screen, 320, 240), SDL_MapRGB(screen->format, 100, 100, 100));
}

} // namespace
