// The pause overlay's per-pass driver and the pointer cursor.
#pragma once

// True when the latest overlay pass drew the pointer cursor (every pass but the very first).
// Read by the player's motion in the next pass: the mouse turns the view only then.
extern bool cursorDrawn;
