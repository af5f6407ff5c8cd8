// The frame shown larger: the scaled copy, the pointer brought back into the frame's pixels, and
// the switch between the window and the whole screen.
#include "app/display.h"
#include "app/input.h"
#include "support.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The pointer
// ---------------------------------------------------------------------------------------------

struct PointerCase {
    Presentation shown;
    int x, y;           // on the video surface
    int frameX, frameY; // in the frame
};

// At 1x in a window the mapping is the identity; on a desktop wider and taller than the frame
// shown, the bars on every side hold the pointer at the frame's nearest edge.
TEST(PointerInFrame, EachBlockIsItsFramePixelAndTheBarsHoldTheEdge) {
    const PointerCase cases[] = {
        {{1, 0, 0}, 0, 0, 0, 0},
        {{1, 0, 0}, 639, 479, 639, 479},
        {{1, 80, 60}, 79, 59, 0, 0},
        {{1, 80, 60}, 80, 60, 0, 0},
        {{1, 80, 60}, 719, 539, 639, 479},
        {{1, 80, 60}, 799, 599, 640, 480},
        {{2, 320, 60}, 321, 61, 0, 0},
        {{2, 320, 60}, 322, 62, 1, 1},
        {{2, 320, 60}, 1599, 1019, 639, 479},
        {{2, 320, 60}, 1600, 1020, 640, 480},
        {{2, 320, 60}, 0, 1079, 0, 480},
        {{2, 320, 60}, 1919, 0, 640, 0},
        {{3, 320, 0}, 319, 100, 0, 33},
    };
    for (const PointerCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.shown.scale << "x at (" << c.shown.left << ", " << c.shown.top
                     << "), mouse (" << c.x << ", " << c.y << ")");
        const ScreenPoint at = pointerInFrame(c.x, c.y, c.shown);
        EXPECT_EQ(at.x, c.frameX);
        EXPECT_EQ(at.y, c.frameY);
    }
}

// ---------------------------------------------------------------------------------------------
// The scaled copy
// ---------------------------------------------------------------------------------------------

class ScaleFrameTest : public testing::TestWithParam<int> {};

// Every raw value the depth holds turns up somewhere; 24-bit rows of 5 pixels are padded.
Uint32 sourceValue(int x, int y, int bitsPerPixel) {
    const Uint32 value = Uint32(x) * 0x9E3779B1u ^ Uint32(y) * 0x85EBCA77u;
    return bitsPerPixel == 32 ? value : value & ((1u << bitsPerPixel) - 1);
}

TEST_P(ScaleFrameTest, EveryBlockHoldsItsSourcePixelAndNothingElseIsTouched) {
    const int bits = GetParam();
    constexpr int w = 5;
    constexpr int h = 3;
    constexpr Uint32 untouched = 0x5A5A; // a raw value every depth holds
    SDL_Surface* frame = makeSurface(w, h, bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            writePixel(frame, x, y, sourceValue(x, y, bits));
        }
    }
    for (const Presentation at :
         {Presentation{1, 2, 1}, Presentation{2, 3, 0}, Presentation{3, 0, 2}}) {
        SCOPED_TRACE(testing::Message()
                     << at.scale << "x at (" << at.left << ", " << at.top << ")");
        const int tw = w * at.scale + 2 * at.left;
        const int th = h * at.scale + 2 * at.top;
        SDL_Surface* target = makeSurface(tw, th, bits);
        SDL_FillRect(target, nullptr, untouched);
        scaleFrame(frame, target, at);
        int wrong = 0;
        for (int y = 0; y < th; ++y) {
            for (int x = 0; x < tw; ++x) {
                const int fx = x - at.left;
                const int fy = y - at.top;
                const bool inside = fx >= 0 && fy >= 0 && fx < w * at.scale && fy < h * at.scale;
                const Uint32 expected =
                    inside ? sourceValue(fx / at.scale, fy / at.scale, bits) : untouched;
                wrong += readPixel(target, x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0);
        SDL_FreeSurface(target);
    }
    SDL_FreeSurface(frame);
}

INSTANTIATE_TEST_SUITE_P(Depths, ScaleFrameTest, testing::Values(16, 24, 32));

// ---------------------------------------------------------------------------------------------
// The switch
// ---------------------------------------------------------------------------------------------

// SDL's dummy driver names no desktop size, so the whole screen is taken to be the frame's own.
class PresentationTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        largestScale(); // as the window's start-up asks before any mode is set
    }
    void TearDown() override {
        if (screen != SDL_GetVideoSurface()) {
            SDL_FreeSurface(screen); // the frame apart, which the game keeps for its whole run
        }
        screen = nullptr;
        SDL_Quit();
    }
    // Marks the frame with a pixel of its own colour in each corner.
    static void markCorners() {
        for (const auto& [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}}) {
            writePixel(screen, x, y, SDL_MapRGB(screen->format, Uint8(x), Uint8(y), 77));
        }
    }
    static void expectCorners(SDL_Surface* surface, Presentation at) {
        for (const auto& [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}}) {
            const int vx = at.left + x * at.scale + at.scale - 1;
            const int vy = at.top + y * at.scale + at.scale - 1;
            EXPECT_EQ(readPixel(surface, vx, vy),
                      SDL_MapRGB(surface->format, Uint8(x), Uint8(y), 77))
                << "corner (" << x << ", " << y << ")";
        }
    }
};

// Both ways the frame drawn before the switch is what shows after it, and back in the window
// the frame is again drawn into directly.
TEST_F(PresentationTest, TheSwitchKeepsTheFrameAndShowsItAtOnce) {
    ASSERT_TRUE(openPresentation(1, false));
    markCorners();
    ASSERT_TRUE(toggleFullscreen());
    ASSERT_NE(screen, SDL_GetVideoSurface());
    EXPECT_TRUE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN);
    expectCorners(SDL_GetVideoSurface(), presentation);
    ASSERT_TRUE(toggleFullscreen());
    EXPECT_EQ(screen, SDL_GetVideoSurface());
    EXPECT_FALSE(screen->flags & SDL_FULLSCREEN);
    expectCorners(screen, {});
}

// The pointer keeps pointing at its frame pixel across a switch, the frame's edges included.
TEST_F(PresentationTest, TheSwitchKeepsThePointerOnItsFramePixel) {
    ASSERT_TRUE(openPresentation(1, false));
    for (const auto& [x, y] : {std::pair{0, 0}, {639, 479}}) {
        SDL_WarpMouse(Uint16(x), Uint16(y));
        ASSERT_TRUE(toggleFullscreen());
        int shownX = -1;
        int shownY = -1;
        SDL_GetMouseState(&shownX, &shownY);
        const ScreenPoint at = pointerInFrame(shownX, shownY, presentation);
        EXPECT_EQ(std::pair(at.x, at.y), std::pair(x, y));
        ASSERT_TRUE(toggleFullscreen());
    }
}

} // namespace
