#include "app/image.h"
#include "app/input.h"
#include "overlay/backdrop.h"
#include "overlay/clock.h"
#include "overlay/menu.h"
#include "overlay/overlay.h"
#include "overlay_test_support.h"
#include "png_writer.h"

namespace {

// A button sheet whose every pixel names its own sheet coordinates: red the column, green
// the row, blue a marker that the cleared screen never holds.
constexpr int marker = 77;

class MenuTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        buttonSurface = paintedSheet(189, 42, [](int x, int y) { return Rgb{x, y, marker}; });
        std::fill(std::begin(mouseButtonStates), std::end(mouseButtonStates), Up);
    }
    static bool drawnAt(int x, int y) { return rgbAt(screen, x, y).b == marker; }
    static bool highlightedAt(int x, int y) { return rgbAt(screen, x, y).g >= 21; }
};

// Which sheet pixel the frame at anchor (170, 108) shows at a screen pixel: the piece is
// chosen by the band and column the pixel lies in, the offset within it by its position.
Rgb expectedFramePixel(int px, int py, int row) {
    const int dx = px - 170, dy = py - 108;
    const int band = dy < 0 ? 0 : dy < 15 ? 1 : 2; // top, middle, bottom
    const int ly = dy < 0 ? dy + 21 : dy < 15 ? dy : dy - 15;
    int column = 0, lx = 0;
    if (dx < 0) {
        const int pieces[3] = {0, 7, 1}; // top-left, left edge, bottom-left
        column = pieces[band];
        lx = dx + 21;
    } else if (dx >= 300) {
        const int pieces[3] = {2, 5, 3}; // top-right, right edge, bottom-right
        column = pieces[band];
        lx = dx - 300;
    } else {
        const int pieces[3] = {6, 8, 4}; // top edge, centre, bottom edge
        column = pieces[band];
        lx = dx % 21;
    }
    return Rgb{21 * column + lx, 21 * row + ly, marker};
}

// ---------------------------------------------------------------------------------------------
// drawButtonFrame
// ---------------------------------------------------------------------------------------------

TEST_F(MenuTest, TheFramesPiecesTileItsRectangleFromTheChosenRow) {
    for (int row = 0; row < 2; ++row) {
        SDL_FillRect(screen, nullptr, 0);
        drawButtonFrame(170, 108, row);
        for (int y = 80; y < 150; ++y) {
            for (int x = 140; x < 500; ++x) {
                const bool inside = x >= 149 && x <= 490 && y >= 87 && y <= 143;
                if (inside) {
                    ASSERT_EQ(rgbAt(screen, x, y), expectedFramePixel(x, y, row))
                        << "row " << row << " at " << x << ", " << y;
                } else {
                    ASSERT_EQ(rgbAt(screen, x, y), Rgb{}) << x << ", " << y;
                }
            }
        }
    }
}

// A half-transparent sheet over black shows one blend where a piece was drawn once and a
// brighter one where two pieces overlap.
TEST_F(MenuTest, EveryPixelOfTheFrameIsDrawnExactlyOnce) {
    const std::string path = testpng::tempPath("half.png");
    std::vector<uint8_t> halfGrey(189 * 42 * 4);
    for (size_t i = 0; i < halfGrey.size(); i += 4) {
        halfGrey[i] = halfGrey[i + 1] = halfGrey[i + 2] = 200;
        halfGrey[i + 3] = 128;
    }
    ASSERT_TRUE(testpng::write(path, 189, 42, 4, halfGrey));
    SDL_FreeSurface(buttonSurface);
    buttonSurface = loadAlphaImage(path.c_str());
    ASSERT_NE(buttonSurface, nullptr);
    drawButtonFrame(170, 108, 0);
    const Rgb once = rgbAt(screen, 170, 108);
    EXPECT_NEAR(once.r, 100, 3);
    for (int y = 87; y <= 143; ++y) {
        for (int x = 149; x <= 490; ++x) {
            ASSERT_EQ(rgbAt(screen, x, y), once) << x << ", " << y;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// menuButton
// ---------------------------------------------------------------------------------------------

TEST_F(MenuTest, ThePointerZoneIsBoundedExclusivelyInsideTheFrame) {
    struct Case {
        int x, y;
        bool over;
    };
    const Case cases[] = {{156, 115, false}, {157, 115, true}, {482, 115, true}, {483, 115, false},
                          {320, 94, false},  {320, 95, true},  {320, 135, true}, {320, 136, false}};
    for (const Case& c : cases) {
        SDL_FillRect(screen, nullptr, 0);
        pointer = {c.x, c.y};
        mouseButtonStates[SDL_BUTTON_LEFT] = Pressed;
        EXPECT_EQ(menuButton(115, "Resume game"), c.over) << c.x << ", " << c.y;
        EXPECT_EQ(highlightedAt(160, 90), c.over) << c.x << ", " << c.y;
    }
}

TEST_F(MenuTest, OnlyAFreshPressClicksAndTheHighlightFollowsThePointerAlone) {
    pointer = {320, 115};
    mouseButtonStates[SDL_BUTTON_LEFT] = Held;
    EXPECT_FALSE(menuButton(115, "Resume game"));
    EXPECT_TRUE(highlightedAt(160, 90));
    mouseButtonStates[SDL_BUTTON_LEFT] = Up;
    EXPECT_FALSE(menuButton(115, "Resume game"));
    EXPECT_TRUE(highlightedAt(160, 90));
    mouseButtonStates[SDL_BUTTON_LEFT] = Pressed;
    EXPECT_TRUE(menuButton(115, "Resume game"));
    mouseButtonStates[SDL_BUTTON_RIGHT] = Pressed;
    mouseButtonStates[SDL_BUTTON_LEFT] = Up;
    EXPECT_FALSE(menuButton(115, "Resume game"));
}

// ---------------------------------------------------------------------------------------------
// drawPauseMenu and the slide
// ---------------------------------------------------------------------------------------------

TEST(Slide, ButtonsAndBarsStandWhereTheFadePutsThem) {
    struct Case {
        double fade;
        int resume, exit, barOffset;
    };
    const Case cases[] = {{100, 115, 165, 0},
                          {50, 355, 405, 30},
                          {10, 547, 597, 54},
                          {1, 590, 640, 60},
                          {0, 595, 645, 61}};
    for (const Case& c : cases) {
        EXPECT_EQ(slideWithFade(c.fade, 595, 115), c.resume) << c.fade;
        EXPECT_EQ(slideWithFade(c.fade, 645, 165), c.exit) << c.fade;
        EXPECT_EQ(slideWithFade(c.fade, 61, 0), c.barOffset) << c.fade;
    }
}

TEST_F(MenuTest, TheMenuIsDrawnAtTheFadesPositions) {
    fadeLevel = 100;
    drawPauseMenu();
    EXPECT_FALSE(drawnAt(160, 86));
    EXPECT_TRUE(drawnAt(160, 87));  // "Resume game" frame from y 87
    EXPECT_TRUE(drawnAt(160, 193)); // "Exit" frame to y 193
    EXPECT_FALSE(drawnAt(160, 194));
    EXPECT_EQ(rgbAt(screen, 160, 140).g, 3)
        << "Exit (its row 3), drawn second, lies over Resume game (row 17)";

    SDL_FillRect(screen, nullptr, 0);
    fadeLevel = 50;
    drawPauseMenu();
    EXPECT_FALSE(drawnAt(160, 326));
    EXPECT_TRUE(drawnAt(160, 327));
    EXPECT_TRUE(drawnAt(160, 433));
    EXPECT_FALSE(drawnAt(160, 434));

    SDL_FillRect(screen, nullptr, 0);
    fadeLevel = 10;
    drawPauseMenu();
    for (int y = 0; y < 480; y += 4) {
        ASSERT_FALSE(drawnAt(160, y)) << y;
    }
}

TEST_F(MenuTest, ResumeGameClosesTheMenuAndExitRequestsTheQuit) {
    fadeLevel = 100;
    menuOpen = true;
    pointer = {320, 115};
    mouseButtonStates[SDL_BUTTON_LEFT] = Pressed;
    drawPauseMenu();
    EXPECT_FALSE(menuOpen);
    EXPECT_EQ(quitRequested, 0);

    pointer = {320, 165};
    drawPauseMenu();
    EXPECT_EQ(quitRequested, 1);
    quitRequested = 0;
}

// ---------------------------------------------------------------------------------------------
// Clock bars
// ---------------------------------------------------------------------------------------------

// A bar image whose red names its own row.
class BarsTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        barsSurface = paintedSheet(640, 131, [](int, int y) { return Rgb{y, 0, marker}; });
        localTime = nullptr;
    }
};

TEST_F(BarsTest, BothBarsSlideByTheSameOffset) {
    struct Case {
        double fade;
        int offset;
    };
    for (const Case& c : {Case{100, 0}, Case{50, 30}, Case{10, 54}, Case{1, 60}}) {
        SDL_FillRect(screen, nullptr, 0);
        fadeLevel = c.fade;
        drawClockBars();
        EXPECT_EQ(rgbAt(screen, 300, 0), (Rgb{70 + c.offset, 0, marker})) << c.fade;
        EXPECT_EQ(rgbAt(screen, 300, 60 - c.offset), (Rgb{130, 0, marker})) << c.fade;
        EXPECT_EQ(rgbAt(screen, 300, 61 - c.offset), Rgb{}) << c.fade;
        EXPECT_EQ(rgbAt(screen, 300, 418 + c.offset), Rgb{}) << c.fade;
        EXPECT_EQ(rgbAt(screen, 300, 419 + c.offset), (Rgb{0, 0, marker})) << c.fade;
    }
}

} // namespace
