#include "app/input.h"
#include "overlay/fade.h"
#include "overlay/clock.h"
#include "overlay/menu.h"
#include "overlay/overlay.h"
#include "overlay_test_support.h"

namespace {

constexpr Uint32 marker = 77; // in blue, never on the cleared screen

// Every button sheet pixel names its own sheet coordinates in red and green.
class MenuTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        buttonSurface =
            sheet(189, 42, [](int x, int y) { return Uint32(x << 16 | y << 8) | marker; });
    }
};

// The sheet column of each piece by band (top, middle, bottom) and part (left, run, right).
const int pieceColumn[3][3] = {{0, 6, 2}, {7, 8, 5}, {1, 4, 3}};

// Anchored at (170, 108) the frame covers 149..490 by 87..143; the runs repeat every 21 pixels.
TEST_F(MenuTest, TheFramesPiecesTileItsRectangleFromTheChosenRow) {
    // Which piece a pixel d past the anchor lies in, across or down, and where in that piece.
    auto piece = [](int d, int run) { return d < 0 ? 0 : d < run ? 1 : 2; };
    auto offset = [](int d, int run) { return d < 0 ? d + 21 : d < run ? d % 21 : d - run; };
    for (int row = 0; row < 2; ++row) {
        SDL_FillRect(screen, nullptr, 0);
        drawButtonFrame(170, 108, row);
        for (int y = 80; y < 150; ++y)
            for (int x = 140; x < 500; ++x) {
                const int dx = x - 170, dy = y - 108;
                const int sx = 21 * pieceColumn[piece(dy, 15)][piece(dx, 300)] + offset(dx, 300);
                const int sy = 21 * row + offset(dy, 15);
                const bool inside = x >= 149 && x <= 490 && y >= 87 && y <= 143;
                ASSERT_EQ(rgbAt(screen, x, y), inside ? Uint32(sx << 16 | sy << 8) | marker : 0)
                    << "row " << row << " at " << x << ", " << y;
            }
    }
}

// A half-transparent sheet shows one tone where one piece lies and a brighter one where two do.
TEST_F(MenuTest, EveryPixelOfTheFrameIsDrawnExactlyOnce) {
    SDL_FreeSurface(buttonSurface);
    buttonSurface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 189, 42, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    SDL_FillRect(buttonSurface, nullptr, 0x80C8C8C8);
    drawButtonFrame(170, 108, 0);
    const Uint32 once = rgbAt(screen, 170, 108);
    EXPECT_NEAR(int(once >> 16), 100, 3);
    for (int y = 87; y <= 143; ++y)
        for (int x = 149; x <= 490; ++x)
            ASSERT_EQ(rgbAt(screen, x, y), once) << x << ", " << y;
}

// At full fade Resume's zone is x 157..482 by y 95..135, and lights up the button; only a
// fresh left press in it clicks.
TEST_F(MenuTest, ResumeGameLightsUpInItsZoneAndClicksOnAFreshLeftPress) {
    const int cases[][4] = {{156, 115, Pressed, 0}, {157, 115, Pressed, 1}, {482, 115, Pressed, 1},
                            {483, 115, Pressed, 0}, {320, 94, Pressed, 0},  {320, 95, Pressed, 1},
                            {320, 135, Pressed, 1}, {320, 136, Pressed, 0}, {320, 115, Held, 1},
                            {320, 115, Up, 1}};
    fadeLevel = 100;
    mouseButtonStates[SDL_BUTTON_RIGHT] = Pressed;
    for (const auto& [x, y, left, over] : cases) {
        pointer = {x, y};
        mouseButtonStates[SDL_BUTTON_LEFT] = KeyState(left);
        menuOpen = true;
        drawPauseMenu();
        EXPECT_EQ(menuOpen, !over || left != Pressed) << x << ", " << y << ", " << left;
        EXPECT_EQ((rgbAt(screen, 160, 90) >> 8 & 255) >= 21, bool(over)) << x << ", " << y;
    }
    pointer = {320, 165};
    mouseButtonStates[SDL_BUTTON_LEFT] = Pressed;
    drawPauseMenu();
    EXPECT_EQ(quitRequested, 1) << "Exit";
    EXPECT_EQ(rgbAt(screen, 160, 140) >> 8 & 255, 24u) << "lit Exit's row 3 over Resume's row 17";
    quitRequested = 0;
}

// Resume's frame spans its row r - 28 .. r + 28 and Exit's, 50 rows lower, ends at r + 78;
// both bars move out by the offset.
TEST_F(MenuTest, ButtonsAndBarsStandWhereTheFadePutsThem) {
    barsSurface = sheet(640, 131, [](int, int y) { return Uint32(y + 1) << 16; });
    const int cases[][3] = {{100, 115, 0}, {50, 355, 30}, {10, 547, 54}, {1, 590, 60}};
    for (const auto& [fade, resume, offset] : cases) {
        fadeLevel = fade;
        SDL_FillRect(screen, nullptr, 0);
        drawPauseMenu();
        for (int y = 0; y < 480; ++y)
            ASSERT_EQ((rgbAt(screen, 160, y) & 255) == marker, y >= resume - 28 && y <= resume + 78)
                << fade << ": " << y;
        SDL_FillRect(screen, nullptr, 0);
        drawClockBars();
        EXPECT_EQ(rgbAt(screen, 300, 0), Uint32(71 + offset) << 16) << fade;
        EXPECT_EQ(rgbAt(screen, 300, 60 - offset), 131u << 16) << fade;
        EXPECT_EQ(rgbAt(screen, 300, 61 - offset), 0u) << fade;
        EXPECT_EQ(rgbAt(screen, 300, 418 + offset), 0u) << fade;
        EXPECT_EQ(rgbAt(screen, 300, 419 + offset), 1u << 16) << fade;
    }
}

// At (300, 475), with the fade at 30.5 after its step, the "Exit" frame (from row 470), the
// bottom bar (from row 461), the cursor and the border overlap; taking them away from the
// top down uncovers each in turn, and last the never-captured backdrop. Only the centre of
// cursor frame 3 is red, so a misplaced cursor or a wrong frame shows.
TEST_F(OverlayTest, LayersGoBackdropMenuBarsCursorBorderFromTheBottomUp) {
    openOverlay();
    SDL_Surface** layers[] = {&borderSurface, &cursorSurface, &barsSurface, &buttonSurface};
    const Uint32 shown[] = {0xFFFFFF, 0xFF0000, 0xFFFF00, 0x0000FF, 0};
    cursorSurface = sheet(
        1536, 96, [&](int x, int y) { return x == 3 * 96 + 48 && y == 48 ? shown[1] : 0x0A0A0Au; });
    barsSurface = sheet(640, 131, [&](int, int) { return shown[2]; });
    buttonSurface = sheet(189, 42, [&](int, int) { return shown[3]; });
    menuOpen = true;
    pointer = {300, 475};
    runOverlayFrame(); // the first pass: the bar comes in from row 475, no cursor over it yet
    EXPECT_FALSE(cursorDrawn);
    EXPECT_EQ(rgbAt(screen, 300, 475), shown[2]);
    borderSurface = sheet(640, 480, [&](int, int) { return shown[0]; });
    for (int i = 0; i < 5; ++i) {
        fadeLevel = 25;
        runOverlayFrame();
        EXPECT_EQ(rgbAt(screen, 300, 475), shown[i]) << i;
        if (i < 4) {
            SDL_FreeSurface(*layers[i]);
            *layers[i] = nullptr;
        }
    }
    EXPECT_TRUE(cursorDrawn) << "mouse turning goes by the pass, not the cursor image";
}

} // namespace
