// The overlay's layers over the backdrop: the framed buttons and the menu, the text and the
// clock bars, the cursor and the border, drawn from sheets of known pixels.
#include "app/image.h"
#include "app/input.h"
#include "overlay/clock.h"
#include "overlay/fade.h"
#include "overlay/font.h"
#include "overlay/menu.h"
#include "overlay/overlay.h"
#include "support.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Buttons and the menu
// ---------------------------------------------------------------------------------------------

constexpr Uint32 marker = 77; // in blue, never on the cleared screen

// Every button sheet pixel names its own sheet coordinates in red and green.
class MenuTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        buttonSurface = sheet(189, 42, [](int x, int y) { return x << 16 | y << 8 | marker; });
    }
};

// Where a pixel d past the anchor lies along a band of `run` pixels: 0 before it (the left
// or top piece), 1 in it, 2 after it; and how far into that piece's tile.
int pieceAlong(int d, int run) {
    return d < 0 ? 0 : d < run ? 1 : 2;
}
int offsetInTile(int d, int run) {
    return d < 0 ? d + 21 : d < run ? d % 21 : d - run;
}

// The sheet column of each piece by band (top, middle, bottom) and part (left, run, right).
const int pieceColumn[3][3] = {{0, 6, 2}, {7, 8, 5}, {1, 4, 3}};

// At full fade Resume's zone is x 157..482 by y 95..135; the pointer there lights the
// button (sheet row 1), and only a fresh left press clicks.
TEST_F(MenuTest, ResumeGameLightsUpInItsZoneAndClicksOnAFreshLeftPress) {
    struct Case {
        int x, y;
        KeyState left;
        bool over;
    };
    const Case cases[] = {{156, 115, Pressed, false}, {157, 115, Pressed, true},
                          {482, 115, Pressed, true},  {483, 115, Pressed, false},
                          {320, 94, Pressed, false},  {320, 95, Pressed, true},
                          {320, 135, Pressed, true},  {320, 136, Pressed, false},
                          {320, 115, Held, true},     {320, 115, Up, true}};
    fadeLevel = 100;
    mouseButtonStates[SDL_BUTTON_RIGHT] = Pressed;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.x << ", " << c.y << " left " << c.left);
        pointer = {c.x, c.y};
        mouseButtonStates[SDL_BUTTON_LEFT] = c.left;
        menuOpen = true;
        drawPauseMenu();
        EXPECT_EQ(menuOpen, !c.over || c.left != Pressed);
        EXPECT_EQ((rgbAt(screen, 160, 90) >> 8 & 255) >= 21, c.over) << "lit";
    }
    pointer = {320, 165};
    mouseButtonStates[SDL_BUTTON_LEFT] = Pressed;
    drawPauseMenu();
    EXPECT_EQ(quitRequested, 1) << "Exit";
    EXPECT_EQ(rgbAt(screen, 160, 140) >> 8 & 255, 24u) << "lit Exit's row 3 over Resume's row 17";
    quitRequested = 0;
}

// Sunday 3 January 2010, at the given time.
struct tm sunday(int hour, int minute, int second) {
    struct tm t = {};
    t.tm_year = 110;
    t.tm_mday = 3;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// Resume's frame spans its row r - 28 .. r + 28 and Exit's, 50 rows lower, ends at r + 78.
// The bars and their text move out by the offset: the top bar's image rows from 70 + offset,
// the clock's text up from rows 38..58, the bottom bar down from row 419 and the credit
// from row 442. Without a local time the top bar carries no text.
TEST_F(MenuTest, ButtonsBarsAndTextStandWhereTheFadePutsThem) {
    barsSurface = sheet(640, 131, [](int, int y) { return (y + 1) << 16; });
    fontSurface = sheet(1425, 21, [](int, int) { return 0x00FF00; });
    static struct tm now = sunday(0, 5, 9);
    localTime = &now;
    struct Case {
        double fade;
        int resume, offset;
    };
    for (const Case& c : {Case{100, 115, 0}, Case{50, 355, 30}, Case{10, 547, 54}}) {
        SCOPED_TRACE(testing::Message() << "fade " << c.fade);
        fadeLevel = c.fade;
        SDL_FillRect(screen, nullptr, 0);
        drawPauseMenu();
        for (int y = 0; y < 480; ++y) {
            const bool framed = y >= c.resume - 28 && y <= c.resume + 78;
            ASSERT_EQ((rgbAt(screen, 160, y) & 255) == marker, framed) << "row " << y;
        }
        SDL_FillRect(screen, nullptr, 0);
        drawClockBars();
        EXPECT_EQ(rgbAt(screen, 300, 0), Uint32(71 + c.offset) << 16);
        EXPECT_EQ(rgbAt(screen, 300, 60 - c.offset), 131u << 16);
        EXPECT_EQ(rgbAt(screen, 300, 61 - c.offset), 0u);
        EXPECT_EQ(rgbAt(screen, 300, 418 + c.offset), 0u);
        EXPECT_EQ(rgbAt(screen, 300, 419 + c.offset), 1u << 16);
        EXPECT_EQ(rgbAt(screen, 615, 58 - c.offset), 0x00FF00u) << "the clock's last row";
        EXPECT_NE(rgbAt(screen, 615, 59 - c.offset), 0x00FF00u) << "below the clock";
        if (442 + c.offset < 480) {
            EXPECT_EQ(rgbAt(screen, 25, 442 + c.offset), 0x00FF00u) << "the credit's top row";
        }
    }
    localTime = nullptr;
    drawClockBars();
    EXPECT_NE(rgbAt(screen, 615, 45), 0x00FF00u) << "a clock without a local time";
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
    runOverlayFrame();
    EXPECT_FALSE(cursorDrawn) << "no cursor in the very first pass";
    EXPECT_EQ(rgbAt(screen, 300, 475), shown[2]);
    borderSurface = sheet(640, 480, [&](int, int) { return shown[0]; });
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(testing::Message() << i << " layers taken away");
        fadeLevel = 25;
        runOverlayFrame();
        EXPECT_EQ(rgbAt(screen, 300, 475), shown[i]);
        if (i < 4) {
            SDL_FreeSurface(*layers[i]);
            *layers[i] = nullptr;
        }
    }
    EXPECT_TRUE(cursorDrawn) << "mouse turning goes by the pass, not the cursor image";
}

// ---------------------------------------------------------------------------------------------
// Text and the clock
// ---------------------------------------------------------------------------------------------

// A font pixel names its cell (plus one), its column in the cell and its row.
Uint32 fontPixel(int cell, int column, int row) {
    return Uint32(cell + 1) << 16 | Uint32(column) << 8 | Uint32(row);
}

// The cell of each character of "a\tb\x80\xff" and "Plint!": bytes outside ' '..'~' show
// the space, cell 0.
TEST_F(OverlayTest, DrawTextPlacesElevenPixelAdvancesByTheAlignment) {
    openOverlay();
    fontSurface = sheet(1425, 21, [](int x, int y) { return fontPixel(x / 15, x % 15, y); });
    struct Case {
        int x;
        const char* text;
        int align, first;
        std::initializer_list<int> cells;
    };
    // clang-format off
    const Case cases[] = {
        {20, "Plint!", Left, 20, {48, 76, 73, 78, 84, 1}},  {320, "Exit", Centre, 298, {37, 88, 73, 84}},
        {320, "Resume game", Centre, 260, {50, 69, 83, 85, 77, 69, 0, 71, 65, 77, 69}}, // 121 wide
        {620, "Sunday", Right, 554, {51, 85, 78, 68, 65, 89}}, {300, "a\tb\x80\xff", Left, 300, {65, 0, 66, 0, 0}},
        {300, "xy", 4, 0, {88, 89}}, // an unknown alignment starts at x 0
        {-16, "abcdef", Left, -16, {65, 66, 67, 68, 69, 70}}}; // clipped cells keep the rest
    // clang-format on
    int y = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        drawText(c.x, y += 30, c.text, c.align);
        const int n = int(c.cells.size());
        const int* cell = c.cells.begin();
        // Each cell shows its first 11 columns under the next one, the last all 15.
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < (i < n - 1 ? 11 : 15); ++k) {
                const int x = c.first + 11 * i + k;
                if (x >= 0) {
                    ASSERT_EQ(rgbAt(screen, x, y + 5), fontPixel(cell[i], k, 5)) << "x " << x;
                }
            }
        }
    }
}

// The real translucent sheets over random pixels, drawn again over the same pixels (kept,
// then replayed), over pixels changed in one pixel or whole, and lit: every byte as plain
// SDL blits of the same sheets leave it, a glyph at a time and a frame pixel at a time.
class KeptDrawingTest : public OverlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(KeptDrawingTest, TextAndFramesMatchPlainBlitsOfTheSheets) {
    openOverlay(GetParam());
    fontSurface = loadAlphaImage("Media/Canopy/Font.png");
    buttonSurface = loadAlphaImage("Media/Canopy/Button.png");
    const char* text = "Wednesday 12:05:09 AM";
    std::mt19937 random(5);
    Uint8* pixels = static_cast<Uint8*>(screen->pixels);
    std::vector<Uint8> below(size_t(screen->pitch) * 480);
    for (int pass = 0; pass < 6; ++pass) {
        SCOPED_TRACE(testing::Message() << "pass " << pass);
        if (pass == 0 || pass == 4) {
            std::generate(below.begin(), below.end(), [&] { return Uint8(random()); });
        } else if (pass == 3) {
            below[size_t(screen->pitch) * 87 + 149 * screen->format->BytesPerPixel] ^= 1;
        }
        std::copy(below.begin(), below.end(), pixels);
        drawButtonFrame(170, 108, pass == 5);
        drawText(180, 100, text, Left);
        const std::vector<Uint8> drawn(pixels, pixels + below.size());
        std::copy(below.begin(), below.end(), pixels);
        for (int y = 87; y <= 143; ++y) {
            for (int x = 149; x <= 490; ++x) {
                const int column = pieceColumn[pieceAlong(y - 108, 15)][pieceAlong(x - 170, 300)];
                SDL_Rect from = makeRect(21 * column + offsetInTile(x - 170, 300),
                                         21 * (pass == 5) + offsetInTile(y - 108, 15), 1, 1);
                SDL_Rect at = makeRect(x, y, 0, 0);
                SDL_BlitSurface(buttonSurface, &from, screen, &at);
            }
        }
        for (int i = 0; text[i]; ++i) {
            blitCell(fontSurface, &glyphRects[text[i] - 32], 180 + 11 * i, 100);
        }
        ASSERT_TRUE(std::equal(drawn.begin(), drawn.end(), pixels));
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, KeptDrawingTest, ::testing::Values(16, 24, 32),
                         testing::PrintToStringParamName());

std::string composed(void (*compose)(char*, size_t, const struct tm&), const struct tm& t) {
    char line[64];
    compose(line, sizeof line, t);
    return line;
}

TEST(ClockLines, ATwelveHourClockAndTheDateWithItsOrdinal) {
    const struct {
        int hour, minute, second;
        const char* line;
    } clocks[] = {{0, 5, 9, "12:05:09 AM"},    {9, 7, 3, "9:07:03 AM"},
                  {11, 59, 59, "11:59:59 AM"}, {12, 0, 0, "12:00:00 PM"},
                  {13, 30, 45, "1:30:45 PM"},  {23, 59, 59, "11:59:59 PM"}};
    for (const auto& clock : clocks) {
        EXPECT_EQ(composed(composeClockLine, sunday(clock.hour, clock.minute, clock.second)),
                  clock.line);
    }
    struct tm t = sunday(0, 0, 0);
    for (const char* ordinal : {"1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st", "22nd",
                                "23rd", "30th", "31st"}) {
        t.tm_mday = std::atoi(ordinal);
        EXPECT_EQ(composed(composeDateLine, t), std::string("Sunday January ") + ordinal + " 2010");
    }
    t.tm_wday = 3;
    t.tm_mon = 8;
    EXPECT_EQ(composed(composeDateLine, t), "Wednesday September 31st 2010");
    t.tm_mon = 12;
    EXPECT_EQ(composed(composeDateLine, t), "Wednesday  31st 2010") << "no thirteenth month";
}

} // namespace
