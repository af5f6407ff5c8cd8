// The clock bars: a top bar with the date and a 12-hour clock, a bottom bar with the credit
// line, both sliding in and out with the fade.
#pragma once

#include <cstddef>
#include <ctime>

extern const char* const dayNames[7];     // by tm_wday, 0 = "Sunday"
extern const char* const monthNames[12];  // by tm_mon, 0 = "January"
extern const char* const dayOrdinals[32]; // by tm_mday 1..31, "1st".."31st"; entry 0 is ""

// Called by drawClockBars; exposed for tests. "Sunday January 3rd 2010" into line (always
// NUL-terminated, cut to size); a field outside its table's range shows as nothing.
void composeDateLine(char* line, size_t size, const struct tm& time);

// Called by drawClockBars; exposed for tests. "9:07:03 AM": the hour without a leading zero,
// minutes and seconds with two digits.
void composeClockLine(char* line, size_t size, const struct tm& time);

// Called by runOverlayFrame in every pass in which the fade is not 0, after it refreshed
// localTime. Without a local time the bars and the credit are drawn without date and clock.
void drawClockBars();
