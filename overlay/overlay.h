// The pause overlay's per-pass driver and the pointer cursor.
#pragma once

#include <ctime>

// True when the latest overlay pass drew the pointer cursor (every pass but the very first).
// Read by the player's motion in the next pass: the mouse turns the view only then.
extern bool cursorDrawn;

// The C runtime's broken-down local time, refreshed in every pass in which the overlay is
// visible; read by the clock bars. Null at start, and null when localtime has no answer.
// Owned by the C runtime, overwritten by its next localtime call.
extern struct tm* localTime;

// Called by main once per pass, after the world (if it ran) and before the flip. Draws, from
// the bottom up: backdrop, menu, clock bars, pointer cursor, border.
void runOverlayFrame();

// Called by runOverlayFrame in every pass: the pointer cursor centred on the pointer, from the
// second pass on.
void drawCursors();
