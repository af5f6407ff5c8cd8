// The clock bars: the date and a 12-hour clock on the top bar, the credit on the bottom one.
#include "overlay/clock.h"

#include "app/image.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/font.h"

#include <cstdio>

// ---- State ----------------------------------------------------------------------------------

struct tm* localTime = nullptr;

static const char* const dayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};

static const char* const monthNames[12] = {"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};

static const char* const dayOrdinals[32] = {
    "",     "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th",
    "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th", "21st",
    "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"};

static const char creditLine[] = "Plint - find your way through the maze";

// Both bars are one image, 640 x 131: at full fade the top bar shows its rows from barImageTop
// down, the bottom its rows from 0 at bottomBarRow; the slide pushes both out by slideDistance.
constexpr int slideDistance = 61;
constexpr int barImageTop = 70;
constexpr int bottomBarRow = 419;
constexpr int textRight = 620; // where the date's and the clock's advance ends
constexpr int dateRow = 18;    // the top rows of the lines' cells at full fade
constexpr int clockRow = 38;
constexpr int creditLeft = 20;
constexpr int creditRow = 442;

// ---- Lines ----------------------------------------------------------------------------------

static const char* entry(const char* const* table, int count, int index) {
    return index >= 0 && index < count ? table[index] : "";
}

// The year is widened before 1900 is added, so even tm_year near INT_MAX cannot overflow.
void composeDateLine(char* line, size_t size, const struct tm& time) {
    std::snprintf(line, size, "%s %s %s %lld", entry(dayNames, 7, time.tm_wday),
                  entry(monthNames, 12, time.tm_mon), entry(dayOrdinals, 32, time.tm_mday),
                  static_cast<long long>(time.tm_year) + 1900);
}

// 0 is 12 AM and 12 is 12 PM; 13..23 count again from 1.
void composeClockLine(char* line, size_t size, const struct tm& time) {
    const int hour = time.tm_hour > 12 ? time.tm_hour - 12 : time.tm_hour == 0 ? 12 : time.tm_hour;
    std::snprintf(line, size, "%d:%s%d:%s%d %s", hour, time.tm_min < 10 ? "0" : "", time.tm_min,
                  time.tm_sec < 10 ? "0" : "", time.tm_sec, time.tm_hour < 12 ? "AM" : "PM");
}

// ---- Bars -----------------------------------------------------------------------------------

void refreshLocalTime() {
    const time_t now = time(nullptr);
    localTime = localtime(&now);
}

void composeClockBars(OverlayFrame& frame) {
    frame.timeKnown = localTime != nullptr;
    if (localTime) {
        composeDateLine(frame.dateLine.data(), frame.dateLine.size(), *localTime);
        composeClockLine(frame.clockLine.data(), frame.clockLine.size(), *localTime);
    }
}

void drawClockBars(const OverlayFrame& frame) {
    const int slideOffset = slideWithFade(frame.fade, slideDistance, 0);
    blitCell(barsSurface, nullptr, 0, -barImageTop - slideOffset);
    if (frame.timeKnown) {
        drawText(textRight, dateRow - slideOffset, frame.dateLine.data(), Right);
        drawText(textRight, clockRow - slideOffset, frame.clockLine.data(), Right);
    }
    blitCell(barsSurface, nullptr, 0, bottomBarRow + slideOffset);
    drawText(creditLeft, creditRow + slideOffset, creditLine, Left);
}
