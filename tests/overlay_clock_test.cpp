#include "overlay/backdrop.h"
#include "overlay/clock.h"
#include "overlay/overlay.h"
#include "overlay_test_support.h"

#include <climits>
#include <cstring>
#include <string>

namespace {

struct tm at(int year, int month, int day, int weekday, int hour, int minute, int second) {
    struct tm time = {};
    time.tm_year = year - 1900;
    time.tm_mon = month;
    time.tm_mday = day;
    time.tm_wday = weekday;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

std::string dateLine(const struct tm& time) {
    char line[64];
    composeDateLine(line, sizeof line, time);
    return line;
}

std::string clockLine(int hour, int minute, int second) {
    char line[64];
    composeClockLine(line, sizeof line, at(2010, 0, 3, 0, hour, minute, second));
    return line;
}

// ---------------------------------------------------------------------------------------------
// Date line
// ---------------------------------------------------------------------------------------------

TEST(DateLine, NamesTheWeekdayMonthOrdinalDayAndYear) {
    EXPECT_EQ(dateLine(at(2010, 0, 3, 0, 12, 0, 0)), "Sunday January 3rd 2010");
    EXPECT_EQ(dateLine(at(2026, 8, 30, 3, 0, 0, 0)), "Wednesday September 30th 2026");
    EXPECT_EQ(dateLine(at(1999, 11, 31, 5, 0, 0, 0)), "Friday December 31st 1999");
}

TEST(DateLine, EveryDayOfTheMonthHasItsOrdinal) {
    for (int day = 1; day <= 31; ++day) {
        const int last = day % 10;
        const bool teen = day >= 11 && day <= 13;
        const char* suffix = teen || last == 0 || last > 3 ? "th"
                             : last == 1                   ? "st"
                             : last == 2                   ? "nd"
                                                           : "rd";
        EXPECT_EQ(dayOrdinals[day], std::to_string(day) + suffix);
    }
}

TEST(DateLine, StaysWithinTheBufferWhateverTheYearOrFields) {
    struct tm big = at(2010, 8, 30, 3, 0, 0, 0);
    big.tm_year = INT_MAX; // widened before 1900 is added, so no overflow
    EXPECT_EQ(dateLine(big), "Wednesday September 30th 2147485547");

    char line[32];
    std::memset(line, 'x', sizeof line);
    composeDateLine(line, 30, big);
    EXPECT_EQ(std::strlen(line), 29u);
    EXPECT_EQ(line[30], 'x') << "nothing written past the given size";

    struct tm odd = at(2010, 0, 3, 0, 0, 0, 0);
    odd.tm_wday = 9, odd.tm_mon = -1, odd.tm_mday = 40;
    EXPECT_EQ(dateLine(odd), "   2010");
}

// ---------------------------------------------------------------------------------------------
// Clock line
// ---------------------------------------------------------------------------------------------

TEST(ClockLine, ShowsATwelveHourClockWithTwoDigitMinutesAndSeconds) {
    EXPECT_EQ(clockLine(0, 5, 9), "12:05:09 AM");
    EXPECT_EQ(clockLine(0, 0, 0), "12:00:00 AM");
    EXPECT_EQ(clockLine(9, 7, 3), "9:07:03 AM");
    EXPECT_EQ(clockLine(11, 59, 59), "11:59:59 AM");
    EXPECT_EQ(clockLine(12, 0, 0), "12:00:00 PM");
    EXPECT_EQ(clockLine(13, 30, 45), "1:30:45 PM");
    EXPECT_EQ(clockLine(23, 59, 59), "11:59:59 PM");
    EXPECT_EQ(clockLine(10, 10, 10), "10:10:10 AM");
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

// Solid font cells and bars: where the texts land shows as font colour over the bars.
class ClockBarsTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        fontSurface = solidSheet(1425, 21, {255, 0, 255});
        barsSurface = solidSheet(640, 131, {255, 255, 0});
        fadeLevel = 100;
    }
};

TEST_F(ClockBarsTest, TheDateAndClockEndAtX620AndTheCreditStartsAtX20) {
    static struct tm time = at(2010, 0, 3, 0, 0, 5, 9); // "Sunday January 3rd 2010", "12:05:09 AM"
    localTime = &time;
    drawClockBars();
    const Rgb font{255, 0, 255}, bar{255, 255, 0};
    EXPECT_EQ(rgbAt(screen, 366, 25), bar);
    EXPECT_EQ(rgbAt(screen, 367, 25), font); // 620 - 23 * 11
    EXPECT_EQ(rgbAt(screen, 623, 25), font);
    EXPECT_EQ(rgbAt(screen, 624, 25), bar);
    EXPECT_EQ(rgbAt(screen, 379, 45), bar);
    EXPECT_EQ(rgbAt(screen, 499, 45), font); // 620 - 11 * 11
    EXPECT_EQ(rgbAt(screen, 498, 45), bar);
    EXPECT_EQ(rgbAt(screen, 19, 450), bar);
    EXPECT_EQ(rgbAt(screen, 20, 450), font);
    EXPECT_EQ(rgbAt(screen, 20, 441), bar);
}

TEST_F(ClockBarsTest, WithoutALocalTimeTheBarsAndCreditAreDrawnWithoutDateAndClock) {
    localTime = nullptr;
    drawClockBars();
    EXPECT_EQ(rgbAt(screen, 610, 25), (Rgb{255, 255, 0}));
    EXPECT_EQ(rgbAt(screen, 610, 45), (Rgb{255, 255, 0}));
    EXPECT_EQ(rgbAt(screen, 25, 450), (Rgb{255, 0, 255}));
}

} // namespace
