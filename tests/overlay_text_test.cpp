#include "overlay/fade.h"
#include "overlay/clock.h"
#include "overlay/font.h"
#include "overlay/overlay.h"
#include "overlay_test_support.h"

#include <climits>
#include <cstring>
#include <string>
#include <tuple>

namespace {

// A font pixel names its cell (plus one), its column in the cell and its row.
Uint32 fontPixel(int cell, int column, int row) {
    return Uint32(cell + 1) << 16 | Uint32(column) << 8 | Uint32(row);
}

// The font's cells hold ' ' to '~'; every other byte shows the space.
int cellOf(char c) {
    const int byte = Uint8(c);
    return byte >= 32 && byte <= 126 ? byte - 32 : 0;
}

TEST_F(OverlayTest, DrawTextPlacesElevenPixelAdvancesByTheAlignment) {
    openOverlay();
    fontSurface = sheet(1425, 21, [](int x, int y) { return fontPixel(x / 15, x % 15, y); });
    const std::tuple<int, const char*, int, int> cases[] = {
        {20, "Plint!", Left, 20},
        {320, "Exit", Centre, 298},
        {320, "Resume game", Centre, 260}, // 121 wide: the half rounds down
        {620, "Sunday January 3rd 2010", Right, 367},
        {300, "a\tb\x80\xff", Left, 300}, // unknown bytes draw the space
        {300, "xy", 0, 0},                // unknown alignments start at x 0
        {300, "xy", 4, 0},
        {-16, "abcdef", Left, -16}, // cells clipped at an edge do not move the rest
        {600, "abcdef", Left, 600},
    };
    int y = 0;
    for (const auto& [x, text, align, first] : cases) {
        drawText(x, y += 30, text, align);
        // Each cell shows its first 11 columns under the next one, the last all 15.
        const int n = int(std::strlen(text)), end = first + 11 * n + 4;
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < (i < n - 1 ? 11 : 15); ++k) {
                const int at = first + 11 * i + k;
                if (at >= 0 && at < 640) {
                    ASSERT_EQ(rgbAt(screen, at, y + 5), fontPixel(cellOf(text[i]), k, 5))
                        << text << " at " << at;
                }
            }
        EXPECT_EQ(first > 0 ? rgbAt(screen, first - 1, y + 5) : 0u, 0u) << text;
        EXPECT_EQ(end < 640 ? rgbAt(screen, end, y + 5) : 0u, 0u) << text;
    }
}

// Sunday 3 January 2010, at the given time.
struct tm sunday(int hour, int minute, int second) {
    struct tm t = {};
    t.tm_year = 110, t.tm_mday = 3; // month and weekday 0
    t.tm_hour = hour, t.tm_min = minute, t.tm_sec = second;
    return t;
}

std::string compose(void (*line)(char*, size_t, const struct tm&), const struct tm& t) {
    char text[64];
    line(text, sizeof text, t);
    return text;
}

TEST(ClockLines, TheDateAndATwelveHourClock) {
    EXPECT_EQ(compose(composeDateLine, sunday(0, 5, 9)), "Sunday January 3rd 2010");
    for (const auto& [hour, minute, second, text] : {std::tuple{0, 5, 9, "12:05:09 AM"},
                                                     {9, 7, 3, "9:07:03 AM"},
                                                     {11, 59, 59, "11:59:59 AM"},
                                                     {12, 0, 0, "12:00:00 PM"},
                                                     {13, 30, 45, "1:30:45 PM"},
                                                     {23, 59, 59, "11:59:59 PM"}})
        EXPECT_EQ(compose(composeClockLine, sunday(hour, minute, second)), text);
}

TEST(ClockLines, EveryDayOfTheMonthHasItsOrdinal) {
    struct tm t = sunday(0, 0, 0);
    for (t.tm_mday = 1; t.tm_mday <= 31; ++t.tm_mday) {
        const int day = t.tm_mday, last = day % 10, k = day / 10 == 1 || last > 3 ? 0 : last;
        EXPECT_EQ(compose(composeDateLine, t), "Sunday January " + std::to_string(day) +
                                                   "thstndrd"[2 * k] + "thstndrd"[2 * k + 1] +
                                                   " 2010");
    }
}

TEST(ClockLines, AHugeYearStaysWithinTheLine) {
    struct tm t = sunday(0, 0, 0);
    t.tm_year = INT_MAX; // widened before 1900 is added
    EXPECT_EQ(compose(composeDateLine, t), "Sunday January 3rd 2147485547");
    char line[32];
    std::memset(line, 'x', sizeof line);
    composeDateLine(line, 20, t);
    EXPECT_EQ(std::strlen(line), 19u);
    EXPECT_EQ(line[20], 'x') << "nothing written past the given size";
}

// Solid cells over solid bars: the date (23 characters) and the clock (11) end their advance
// at x 620, the credit starts at x 20; without a local time only the credit is written.
TEST_F(OverlayTest, TheBarsCarryDateAndClockOnlyWithALocalTime) {
    openOverlay();
    fontSurface = sheet(1425, 21, [](int, int) { return 0xFF00FFu; });
    barsSurface = sheet(640, 131, [](int, int) { return 0xFFFF00u; });
    fadeLevel = 100;
    static struct tm now = sunday(0, 5, 9);
    for (struct tm* time : {&now, static_cast<struct tm*>(nullptr)}) {
        localTime = time;
        drawClockBars();
        const Uint32 bar = 0xFFFF00, text = time ? 0xFF00FF : bar;
        EXPECT_EQ(rgbAt(screen, 366, 25), bar);
        EXPECT_EQ(rgbAt(screen, 367, 25), text);
        EXPECT_EQ(rgbAt(screen, 498, 45), bar);
        EXPECT_EQ(rgbAt(screen, 499, 45), text);
        EXPECT_EQ(rgbAt(screen, 20, 450), 0xFF00FFu);
    }
}

} // namespace
