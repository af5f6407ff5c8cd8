// The overlay's layers over the backdrop: the framed buttons and the menu, the text and the
// clock bars, the cursor and the border, drawn from sheets of known pixels; and the picture
// the overlay's update leaves for its drawing.
#include "app/image.h"
#include "app/input.h"
#include "overlay/clock.h"
#include "overlay/fade.h"
#include "overlay/font.h"
#include "overlay/menu.h"
#include "overlay/overlay.h"
#include "support.h"

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Buttons and the menu
// ---------------------------------------------------------------------------------------------

constexpr Uint32 plainFrame = 0x0000FF; // the button sheet's first row
constexpr Uint32 litFrame = 0xFFFF00;   // its second, the highlighted pieces

// Open at full fade over a black screen, with a button sheet of two plain colours.
class MenuTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        buttonSurface = sheet(189, 42, [](int, int y) { return y < 21 ? plainFrame : litFrame; });
        menuOpen = true;
        fadeLevel = 100;
    }
    // One pass of the overlay with the pointer at (x, y) and the left button as given.
    static const OverlayFrame& pass(int x, int y, KeyState left) {
        pointer = {x, y};
        mouseButtonStates[SDL_BUTTON_LEFT] = left;
        const OverlayFrame& frame = updateOverlay();
        drawOverlay(frame);
        return frame;
    }
};

struct ZoneCase {
    const char* name;
    int x, y;
    bool over;
};

class ResumeZoneTest : public MenuTest, public ::testing::WithParamInterface<ZoneCase> {};

// At full fade "Resume game" stands on row 115 and its frame spans x 149..490, y 87..143.
TEST_P(ResumeZoneTest, APressInsideTheZoneResumesAndThePointerThereLightsTheButton) {
    const ZoneCase& c = GetParam();
    pass(c.x, c.y, Pressed);
    EXPECT_EQ(menuOpen, !c.over) << "resumed";
    EXPECT_EQ(rgbAt(screen, 160, 100), c.over ? litFrame : plainFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ResumeZoneTest,
    ::testing::Values(ZoneCase{"LeftOfTheZone", 156, 115, false},
                      ZoneCase{"LeftEdge", 157, 115, true}, ZoneCase{"RightEdge", 482, 115, true},
                      ZoneCase{"RightOfTheZone", 483, 115, false},
                      ZoneCase{"AboveTheZone", 320, 94, false}, ZoneCase{"TopEdge", 320, 95, true},
                      ZoneCase{"BottomEdge", 320, 135, true},
                      ZoneCase{"BelowTheZone", 320, 136, false}),
    [](const testing::TestParamInfo<ZoneCase>& info) { return std::string(info.param.name); });

// The two frames share rows 137..143, where "Exit", drawn second, lies on top.
TEST_F(MenuTest, APressOnExitEndsTheGameAndItsFrameLiesOverResumes) {
    pass(320, 165, Pressed);
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(rgbAt(screen, 160, 140), litFrame);
    quitRequested = 0;
}

// Each piece of a frame comes from its own column of the sheet, plain or lit: the corners,
// edges and middle of "Resume game" at full fade, whose middle band spans x 170..469, y 108..122;
// the bottom edge in its first tile.
TEST_F(MenuTest, EachPieceOfAFrameComesFromItsOwnTile) {
    SDL_FreeSurface(buttonSurface);
    buttonSurface =
        sheet(189, 42, [](int x, int y) { return Uint32(y / 21) << 16 | Uint32(x / 21); });
    const struct {
        const char* piece;
        int x, y;
        Uint32 column;
    } pieces[] = {{"top left corner", 150, 90, 0},  {"bottom left corner", 150, 130, 1},
                  {"top right corner", 480, 90, 2}, {"bottom right corner", 480, 130, 3},
                  {"bottom edge", 175, 130, 4},     {"right edge", 480, 115, 5},
                  {"top edge", 300, 90, 6},         {"left edge", 150, 115, 7},
                  {"middle", 300, 115, 8},          {"middle, its last 6 columns", 466, 115, 8}};
    for (const Uint32 lit : {0u, 1u}) {
        pass(lit ? 320 : 0, 115, Up);
        for (const auto& p : pieces) {
            EXPECT_EQ(rgbAt(screen, p.x, p.y), lit << 16 | p.column)
                << p.piece << (lit ? ", lit" : "");
        }
    }
}

// Escape from rest eases the fade to 7.17 first, where "Resume game" has slid up to row 560:
// a press on row 570 lands on it, though at fade 0 its zone began at row 575.
TEST_F(MenuTest, AClickInTheOpeningPassIsJudgedWhereTheEasedFadePutsTheButton) {
    menuOpen = false;
    fadeLevel = 0;
    keyStates[SDLK_ESCAPE] = Pressed;
    pass(320, 570, Pressed);
    EXPECT_FALSE(menuOpen);
    EXPECT_GT(fadeLevel, 7.0);
}

// A bar image whose rows show their own number: row n is bar(n).
Uint32 bar(int row) {
    return Uint32(row + 1) * 0x010000;
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

struct SlideCase {
    const char* name;
    double fade;
    int resumeRow, offset;
};

class SlideTest : public MenuTest, public ::testing::WithParamInterface<SlideCase> {};

// Resume's frame spans its row - 28 .. row + 28 and Exit's, 50 rows lower, ends at row + 78.
// The bars and their text move out by the offset: the top bar's image rows from 70 + offset,
// the date's and the clock's text up from rows 18..37 and 38..58 (each one's last cell ends at
// x 623), the bottom bar down from row 419 and the credit from row 442.
TEST_P(SlideTest, ButtonsBarsAndTextStandWhereTheFadePutsThem) {
    const SlideCase& c = GetParam();
    barsSurface = sheet(640, 131, [](int, int y) { return bar(y); });
    fontSurface = sheet(1425, 21, [](int, int) { return 0x00FF00; });
    static struct tm now = sunday(0, 5, 9);
    localTime = &now;
    OverlayFrame frame;
    frame.fade = c.fade;
    updatePauseMenu(frame);
    composeClockBars(frame);
    drawPauseMenu(frame);
    for (int y = 0; y < 480; ++y) {
        const bool framed = y >= c.resumeRow - 28 && y <= c.resumeRow + 78;
        ASSERT_EQ(rgbAt(screen, 160, y) == plainFrame, framed) << "row " << y;
    }
    SDL_FillRect(screen, nullptr, 0);
    drawClockBars(frame);
    EXPECT_EQ(rgbAt(screen, 0, 0), bar(70 + c.offset));
    EXPECT_EQ(rgbAt(screen, 300, 60 - c.offset), bar(130)) << "the top bar's last row";
    EXPECT_EQ(rgbAt(screen, 300, 61 - c.offset), 0u) << "below the top bar";
    EXPECT_EQ(rgbAt(screen, 300, 418 + c.offset), 0u) << "above the bottom bar";
    EXPECT_EQ(rgbAt(screen, 0, 419 + c.offset), bar(0));
    EXPECT_EQ(rgbAt(screen, 623, 58 - c.offset), 0x00FF00u) << "the clock's last row";
    EXPECT_NE(rgbAt(screen, 623, 59 - c.offset), 0x00FF00u) << "below the clock";
    EXPECT_NE(rgbAt(screen, 624, 58 - c.offset), 0x00FF00u) << "right of the clock";
    if (c.offset <= 37) {
        EXPECT_EQ(rgbAt(screen, 623, 37 - c.offset), 0x00FF00u) << "the date, above the clock";
    }
    if (442 + c.offset < 480) {
        EXPECT_EQ(rgbAt(screen, 20, 442 + c.offset), 0x00FF00u) << "the credit's top left";
    }
}

INSTANTIATE_TEST_SUITE_P(Fades, SlideTest,
                         ::testing::Values(SlideCase{"Open", 100, 115, 0},
                                           SlideCase{"Halfway", 50, 355, 30},
                                           SlideCase{"JustPastHalfway", 43, 388, 34},
                                           SlideCase{"NearlyClosed", 10, 547, 54}),
                         [](const testing::TestParamInfo<SlideCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MenuTest, WithoutALocalTimeTheTopBarCarriesNoText) {
    fontSurface = sheet(1425, 21, [](int, int) { return 0x00FF00; });
    localTime = nullptr;
    OverlayFrame frame;
    frame.fade = 100;
    composeClockBars(frame);
    drawClockBars(frame);
    EXPECT_NE(rgbAt(screen, 615, 45), 0x00FF00u);
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
    runOverlayFrame();
    EXPECT_EQ(rgbAt(screen, 0, 0), shown[0]) << "the border's top left corner";
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

// Frame 3 of the pointer shows two red pixels, (40, 30) and (60, 70) in it; the rest of the
// sheet is see-through. Drawn anywhere, even half off the screen, the pointer colours the
// pixels its whole frame would, centred on the pointer, and no others.
TEST_F(OverlayTest, ThePointerShowsWhereItsWholeFrameWould) {
    enterScratchFolder();
    writeImage(
        "Media/Canopy/Cursor.png", 1536, 96,
        [](int x, int y) {
            const bool shown = (x == 288 + 40 && y == 30) || (x == 288 + 60 && y == 70);
            return shown ? 0xFFFF0000u : 0x00FFFFFFu;
        },
        true);
    openScreen(32);
    testing::internal::CaptureStderr(); // the other images are missing
    loadOverlayAssets();
    testing::internal::GetCapturedStderr();
    const auto redAt = [](int x, int y) {
        SDL_FillRect(screen, nullptr, 0);
        pointer = {x, y};
        updateOverlay(); // the first pass after loading may show no pointer
        runOverlayFrame();
        std::vector<std::pair<int, int>> red;
        for (int row = 0; row < 480; ++row) {
            for (int column = 0; column < 640; ++column) {
                if (rgbAt(screen, column, row) == 0xFF0000) {
                    red.push_back({column, row});
                }
            }
        }
        return red;
    };
    using Points = std::vector<std::pair<int, int>>;
    EXPECT_EQ(redAt(100, 100), (Points{{92, 82}, {112, 122}}));
    EXPECT_EQ(redAt(5, 5), (Points{{17, 27}})) << "the other one left of the screen";
    EXPECT_EQ(redAt(600, 460), (Points{{592, 442}})) << "the other one below the screen";
    const SDL_Rect& cut = cursorFrames[3]; // only the two pixels' rows and columns are blended
    EXPECT_EQ(std::tuple(cut.x, cut.y, cut.w, cut.h), std::tuple(328, 30, 21, 41));
}

// A sheet may be up to twice its cells' size; past that it is refused unread, by its size.
TEST_F(OverlayTest, ACursorSheetPastTwiceItsFramesIsRefusedBySize) {
    enterScratchFolder();
    writeImage(
        "Media/Canopy/Cursor.png", 3073, 96, [](int, int) { return 0u; }, true);
    openScreen(32);
    testing::internal::CaptureStderr();
    loadOverlayAssets();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("is 3073 x 96, larger than the 3072 x"),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The overlay's picture from pass to pass
// ---------------------------------------------------------------------------------------------

// At rest the overlay asks for no new drawing; anything the player could see move does. The
// real clock may tick between two passes, so each pass is held up to the one before it with
// that pass's clock (the clock has its own test).
TEST_F(MenuTest, ARestingPauseLeavesTheSamePictureUntilThePointerMoves) {
    pass(320, 300, Up);
    OverlayFrame resting = pass(320, 300, Up);
    OverlayFrame again = pass(320, 300, Up);
    resting.clockLine = again.clockLine;
    resting.dateLine = again.dateLine;
    EXPECT_TRUE(again == resting);
    OverlayFrame moved = pass(321, 300, Up);
    moved.clockLine = again.clockLine;
    moved.dateLine = again.dateLine;
    EXPECT_FALSE(moved == again);
}

TEST_F(MenuTest, TheClockTickingChangesThePicture) {
    OverlayFrame frame;
    static struct tm now = sunday(9, 7, 3);
    localTime = &now;
    composeClockBars(frame);
    const OverlayFrame before = frame;
    now.tm_sec = 4;
    composeClockBars(frame);
    EXPECT_FALSE(frame == before);
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

std::string composed(void (*compose)(char*, size_t, const struct tm&), const struct tm& t) {
    char line[64];
    compose(line, sizeof line, t);
    return line;
}

TEST(ClockLines, ATwelveHourClockAndTheDateWithItsOrdinal) {
    const struct {
        int hour, minute, second;
        const char* line;
    } clocks[] = {{0, 5, 9, "12:05:09 AM"},    {9, 10, 10, "9:10:10 AM"},
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
