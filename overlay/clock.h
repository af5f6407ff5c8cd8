// The clock bars: a top bar with the date and a 12-hour clock, a bottom bar with the credit
// line, both sliding in and out with the fade.
#pragma once

#include <cstddef>
#include <ctime>

// The C runtime's broken-down local time, refreshed in every pass in which the overlay is
// visible. Null at start, and null when localtime has no answer. Owned by the C runtime,
// overwritten by its next localtime call.
extern struct tm* localTime;

// Called by runOverlayFrame in every pass in which the fade is not 0, before the menu.
void refreshLocalTime();

// Called by runOverlayFrame in every pass in which the fade is not 0, after the menu.
// Without a local time the bars and the credit are drawn without date and clock.
void drawClockBars();

// ---------------------------------------------------------------------------------------------
// For tests
// ---------------------------------------------------------------------------------------------

// "Sunday January 3rd 2010" into line (always NUL-terminated, cut to size); a field outside
// its table's range shows as nothing.
void composeDateLine(char* line, size_t size, const struct tm& time);

// "9:07:03 AM": the hour without a leading zero, minutes and seconds with two digits.
void composeClockLine(char* line, size_t size, const struct tm& time);
