#include "app/input.h"
#include "overlay/backdrop.h"
#include "overlay_test_support.h"

#include <random>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// The plain reading: one pixel at a time through SDL, as the capture and the blend are meant.
// The game's faster loops must agree with it on every pixel.
// ---------------------------------------------------------------------------------------------

using Frame = std::vector<uint8_t>; // column-major, channel c of (x, y) at x * 1440 + y * 3 + c

size_t at(int x, int y, int c) {
    return size_t(x) * 1440 + size_t(y) * 3 + size_t(c);
}

Frame readReference(SDL_Surface* surface) {
    Frame frame(backdropBytes);
    for (int x = 0; x < 640; ++x) {
        for (int y = 0; y < 480; ++y) {
            Uint8 rgb[3];
            SDL_GetRGB(readPixel(surface, x, y), surface->format, &rgb[0], &rgb[1], &rgb[2]);
            for (int c = 0; c < 3; ++c) {
                frame[at(x, y, c)] = rgb[c];
            }
        }
    }
    return frame;
}

void crossAverageReference(const Frame& from, Frame& to, int d, int addend) {
    for (int x = d; x <= 639 - d; ++x) {
        for (int y = d; y <= 479 - d; ++y) {
            for (int c = 0; c < 3; ++c) {
                to[at(x, y, c)] = uint8_t((from[at(x - d, y, c)] + from[at(x + d, y, c)] +
                                           from[at(x, y - d, c)] + from[at(x, y + d, c)] + addend) /
                                          4);
            }
        }
    }
}

int clampReference(int v) {
    return std::min(255, std::max(0, v));
}

int washReference(int c) {
    return clampReference(clampReference(clampReference(c + 50) - 100) + 100);
}

Frame frostReference(const Frame& captured) {
    Frame frosted = captured, sharp = captured;
    crossAverageReference(frosted, sharp, 3, 0);
    crossAverageReference(sharp, frosted, 3, 1);
    for (int pass = 0; pass < 2; ++pass) {
        crossAverageReference(frosted, sharp, 1, 0);
        crossAverageReference(sharp, frosted, 1, 0);
    }
    for (uint8_t& channel : frosted) {
        channel = uint8_t(washReference(channel));
    }
    return frosted;
}

Uint32 blendReference(const Frame& sharp, const Frame& frost, int x, int y, int w,
                      const SDL_PixelFormat* f) {
    int v[3];
    for (int c = 0; c < 3; ++c) {
        v[c] = clampReference((frost[at(x, y, c)] * w + sharp[at(x, y, c)] * (100 - w)) / 100);
    }
    return Uint32(v[0] >> f->Rloss) << f->Rshift | Uint32(v[1] >> f->Gloss) << f->Gshift |
           Uint32(v[2] >> f->Bloss) << f->Bshift;
}

// ---------------------------------------------------------------------------------------------
// Frames to capture
// ---------------------------------------------------------------------------------------------

void paintScreen(const std::function<Rgb(int, int)>& colourOf) {
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const Rgb c = colourOf(x, y);
            writePixel(screen, x, y,
                       SDL_MapRGB(screen->format, Uint8(c.r), Uint8(c.g), Uint8(c.b)));
        }
    }
}

void paintNoise(unsigned seed) {
    std::mt19937 random(seed);
    paintScreen([&random](int, int) {
        const Uint32 v = random();
        return Rgb{int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255)};
    });
}

class BackdropTest : public OverlayTest {
  protected:
    void SetUp() override { std::fill(std::begin(keyStates), std::end(keyStates), Up); }

    // One overlay step with Escape pressed or not.
    static void step(bool escape) {
        keyStates[27] = escape ? Pressed : Up;
        updateFrostedBackdrop();
        keyStates[27] = Up;
    }
    // A capture from rest of whatever the screen holds.
    static void captureFromRest() {
        menuOpen = false;
        fadeLevel = 0.0;
        step(true);
    }
    static std::vector<Uint32> rawScreen() {
        std::vector<Uint32> raw;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                raw.push_back(readPixel(screen, x, y));
            }
        }
        return raw;
    }
};

class BackdropDepthTest : public BackdropTest, public ::testing::WithParamInterface<int> {};

// ---------------------------------------------------------------------------------------------
// Capture and blend against the plain reading
// ---------------------------------------------------------------------------------------------

TEST_P(BackdropDepthTest, CaptureAndBlendMatchThePlainReadingOnEveryPixel) {
    openOverlay(GetParam());
    const std::function<void()> frames[] = {
        [] { paintNoise(1); },
        [] { paintNoise(2); },
        [] { paintScreen([](int x, int y) {
                 return Rgb{x % 256, y % 256, (x * y) % 256};
             }); },
        [] {
            paintScreen([](int x, int y) {
                return (x / 3 + y / 5) % 2 ? Rgb{255, 255, 255} : Rgb{};
            });
        },
    };
    for (const auto& paint : frames) {
        paint();
        const std::vector<Uint32> live = rawScreen();
        const Frame sharp = readReference(screen);
        const Frame frost = frostReference(sharp);

        captureFromRest();
        ASSERT_EQ(rawScreen(), live) << "the capture pass draws nothing";
        for (int x = 0; x < 640; ++x) {
            for (int y = 0; y < 480; ++y) {
                ASSERT_EQ(readPixel(frostedSurface, x, y),
                          SDL_MapRGB(frostedSurface->format, frost[at(x, y, 0)], frost[at(x, y, 1)],
                                     frost[at(x, y, 2)]))
                    << x << ", " << y;
            }
        }

        for (int w : {0, 1, 2, 7, 13, 33, 50, 64, 98, 99}) {
            fadeLevel = w + 0.25;
            step(false);
            for (int y = 0; y < 480; ++y) {
                for (int x = 0; x < 640; ++x) {
                    ASSERT_EQ(readPixel(screen, x, y),
                              blendReference(sharp, frost, x, y, w, screen->format))
                        << "w " << w << " at " << x << ", " << y;
                }
            }
        }
        fadeLevel = 0.5;
        step(false);
        EXPECT_EQ(rawScreen(), live) << "at weight 0 the blend is the sharp frame exactly";
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BackdropDepthTest, ::testing::Values(16, 24, 32));

// (0, 130, 255) survives 16 bits unchanged; its frost is (100, 180, 255), and at weight 40
// the mix is (40, 150, 255), of which 16 bits keep 5, 6 and 5 bits.
TEST_P(BackdropDepthTest, TheBlendPacksByShiftAndLoss) {
    openOverlay(GetParam());
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 130, 255));
    captureFromRest();
    fadeLevel = 40.9;
    step(false);
    const Uint32 expected = GetParam() == 16 ? (40u >> 3) << 11 | (150u >> 2) << 5 | (255u >> 3)
                                             : 40u << 16 | 150u << 8 | 255u;
    EXPECT_EQ(readPixel(screen, 0, 0), expected);
    EXPECT_EQ(readPixel(screen, 320, 240), expected);
    EXPECT_EQ(readPixel(screen, 639, 479), expected);
}

// ---------------------------------------------------------------------------------------------
// Blur and wash-out
// ---------------------------------------------------------------------------------------------

TEST(WashOut, LiftsDarkTonesToOneHundredAndLightOnesToWhite) {
    const int cases[][2] = {{0, 100},   {50, 100},  {51, 101}, {100, 150},
                            {204, 254}, {205, 255}, {255, 255}};
    for (const auto& c : cases) {
        EXPECT_EQ(washOut(uint8_t(c[0])), c[1]) << c[0];
    }
}

TEST(CrossAverage, ABrightPixelSpreadsAQuarterToItsFourSamplesButNotItself) {
    std::vector<uint8_t> from(backdropBytes, 0), to(backdropBytes, 9);
    from[at(100, 100, 0)] = 200;
    crossAverage(from.data(), to.data(), 3, 0);
    for (const auto& p : {std::pair{97, 100}, {103, 100}, {100, 97}, {100, 103}}) {
        EXPECT_EQ(to[at(p.first, p.second, 0)], 50);
        EXPECT_EQ(to[at(p.first, p.second, 1)], 0);
    }
    EXPECT_EQ(to[at(100, 100, 0)], 0);
    EXPECT_EQ(to[at(101, 100, 0)], 0);
    EXPECT_EQ(to[at(98, 101, 0)], 0);
}

TEST(CrossAverage, TheAddendRoundsAndOnlyTheInnerRangeIsWritten) {
    std::vector<uint8_t> from(backdropBytes, 0), to(backdropBytes, 9);
    from[at(9, 10, 2)] = 255, from[at(11, 10, 2)] = 255, from[at(10, 9, 2)] = 255;
    from[at(10, 11, 2)] = 254;
    crossAverage(from.data(), to.data(), 1, 0);
    EXPECT_EQ(to[at(10, 10, 2)], 254);
    crossAverage(from.data(), to.data(), 1, 1);
    EXPECT_EQ(to[at(10, 10, 2)], 255);
    EXPECT_EQ(to[at(1, 1, 0)], 0); // (0 + 1) / 4
    for (int y = 0; y < 480; ++y) {
        ASSERT_EQ(to[at(0, y, 1)], 9);
        ASSERT_EQ(to[at(639, y, 1)], 9);
    }
    std::fill(to.begin(), to.end(), 9);
    crossAverage(from.data(), to.data(), 3, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(to[at(i, 240, 0)], 9);
        EXPECT_EQ(to[at(639 - i, 240, 0)], 9);
        EXPECT_EQ(to[at(320, i, 0)], 9);
        EXPECT_EQ(to[at(320, 479 - i, 0)], 9);
    }
    EXPECT_EQ(to[at(3, 3, 0)], 0);
    EXPECT_EQ(to[at(636, 476, 0)], 0);
}

TEST_F(BackdropTest, AUniformFrameFrostsToItsUniformWashOut) {
    openOverlay(32);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 90, 230));
    captureFromRest();
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 640; x += 5) {
            ASSERT_EQ(rgbAt(frostedSurface, x, y), (Rgb{100, 140, 255})) << x << ", " << y;
        }
    }
}

TEST_F(BackdropTest, TheOutermostRingIsWashedOutButNotBlurred) {
    openOverlay(32);
    paintNoise(7);
    const Frame captured = readReference(screen);
    captureFromRest();
    auto expectWashedOnly = [&](int x, int y) {
        const Rgb washed{washReference(captured[at(x, y, 0)]), washReference(captured[at(x, y, 1)]),
                         washReference(captured[at(x, y, 2)])};
        ASSERT_EQ(rgbAt(frostedSurface, x, y), washed) << x << ", " << y;
    };
    for (int x = 0; x < 640; ++x) {
        expectWashedOnly(x, 0);
        expectWashedOnly(x, 479);
    }
    for (int y = 0; y < 480; ++y) {
        expectWashedOnly(0, y);
        expectWashedOnly(639, y);
    }
}

// ---------------------------------------------------------------------------------------------
// The fade
// ---------------------------------------------------------------------------------------------

TEST_F(BackdropTest, OpeningAndClosingEachLandExactlyInThirtyNinePasses) {
    openOverlay(32);
    captureFromRest();
    EXPECT_NEAR(fadeLevel, 7.16667, 1e-4);
    step(false);
    EXPECT_NEAR(fadeLevel, 13.8556, 1e-4);
    for (int pass = 3; pass <= 38; ++pass) {
        step(false);
    }
    EXPECT_LT(fadeLevel, 100.0);
    step(false);
    EXPECT_EQ(fadeLevel, 100.0);
    step(false);
    EXPECT_EQ(fadeLevel, 100.0) << "at rest the level holds";

    step(true);
    EXPECT_FALSE(menuOpen);
    EXPECT_NEAR(fadeLevel, 92.8333, 1e-4);
    for (int pass = 2; pass <= 38; ++pass) {
        step(false);
    }
    EXPECT_GT(fadeLevel, 0.0);
    step(false);
    EXPECT_EQ(fadeLevel, 0.0);
    step(false);
    EXPECT_EQ(fadeLevel, 0.0);
}

TEST_F(BackdropTest, AtFullFadeTheFrostCoversTheScreen) {
    openOverlay(32);
    paintNoise(3);
    captureFromRest();
    fadeLevel = 100.0;
    SDL_FillRect(screen, nullptr, 0);
    step(false);
    for (int y = 0; y < 480; y += 3) {
        for (int x = 0; x < 640; x += 3) {
            ASSERT_EQ(readPixel(screen, x, y), readPixel(frostedSurface, x, y));
        }
    }
}

// Black frozen, white drawn since: a recapture would blend towards white.
TEST_F(BackdropTest, EscapeDuringTheFadeOutReopensTheSameFrozenFrame) {
    openOverlay(32);
    SDL_FillRect(screen, nullptr, 0);
    captureFromRest();
    for (int pass = 0; pass < 10; ++pass) {
        step(false);
    }
    step(true); // close
    step(false);
    ASSERT_GT(fadeLevel, 0.0);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
    step(true); // reopen
    EXPECT_TRUE(menuOpen);
    const int w = int(fadeLevel);
    step(false);
    EXPECT_EQ(rgbAt(screen, 320, 240), (Rgb{w, w, w})) << "the frost of black is grey 100";
    EXPECT_EQ(rgbAt(frostedSurface, 320, 240), (Rgb{100, 100, 100}));
}

// ---------------------------------------------------------------------------------------------
// Unusual screens
// ---------------------------------------------------------------------------------------------

TEST_F(BackdropTest, WithoutScratchSurfacesTheFrostComesFromTheBuffers) {
    openOverlay(32);
    SDL_FreeSurface(snapshotSurface);
    SDL_FreeSurface(frostedSurface);
    snapshotSurface = frostedSurface = nullptr;
    SDL_FillRect(screen, nullptr, 0);
    captureFromRest();
    for (int pass = 0; pass < 40; ++pass) {
        step(false);
    }
    ASSERT_EQ(fadeLevel, 100.0);
    EXPECT_EQ(rgbAt(screen, 320, 240), (Rgb{100, 100, 100}));
}

// Shift-and-loss packing would paint a palette screen black; there the blend uses the palette.
TEST_F(BackdropTest, OnAPaletteScreenTheBlendLooksUpThePalette) {
    openOverlay(8);
    ASSERT_NE(screen->format->palette, nullptr);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    captureFromRest();
    fadeLevel = 50.5;
    step(false);
    EXPECT_EQ(readPixel(screen, 320, 240), SDL_MapRGB(screen->format, 50, 50, 50));
}

} // namespace
