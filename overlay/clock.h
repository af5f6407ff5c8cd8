// The clock bars: a top bar with the date and a 12-hour clock, a bottom bar with the credit
// line, both sliding in and out with the fade.
#pragma once

#include "overlay/picture.h"

#include <ctime>

// The C runtime's broken-down local time, refreshed in every pass in which the overlay is
// visible. Null at start, and null when localtime has no answer. Owned by the C runtime,
// overwritten by its next localtime call.
extern struct tm* localTime;

// Called by updateOverlay in every pass in which the fade is not 0, before the menu.
void refreshLocalTime();

// Called by updateOverlay after refreshLocalTime: the date and the clock lines of localTime
// into the frame; without a local time the bar shows neither.
void composeClockBars(OverlayFrame& frame);

// Called by drawOverlay in every pass in which the fade is not 0, after the menu: both bars
// slid by the fade, with the lines composeClockBars wrote and the credit.
void drawClockBars(const OverlayFrame& frame);

// ---- For tests ------------------------------------------------------------------------------

// "Sunday January 3rd 2010" into line (always NUL-terminated, cut to size); a field outside
// its table's range shows as nothing.
void composeDateLine(char* line, size_t size, const struct tm& time);

// "9:07:03 AM": the hour without a leading zero, minutes and seconds with two digits.
void composeClockLine(char* line, size_t size, const struct tm& time);
