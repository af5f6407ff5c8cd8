// The overlay's picture of one pass: what its update decided and its drawing shows.
#pragma once

#include "app/input.h"

#include <algorithm>
#include <cstring>

constexpr int menuButtonCount = 2; // "Resume game", then "Exit"
constexpr int clockLineSize = 64;  // the longest date and any year an int holds fit

// Everything the overlay's part of a frame is drawn from, besides the art: two passes that
// leave equal OverlayFrames draw the same pixels over the same frame below. Fields that do
// not show (the menu's while the fade is 0) hold their defaults, so they never differ.
struct OverlayFrame {
    bool capture = false;                 // the menu opened from rest: the screen is frozen first
    double backdropLevel = 0.0;           // the fade before this pass's easing step
    double fade = 0.0;                    // after it; the menu and the bars show while it is not 0
    int buttonRows[menuButtonCount] = {}; // each button's middle row, slid by the fade
    bool lit[menuButtonCount] = {};       // the pointer is over the button
    bool timeKnown = false;               // the date and the clock show
    char dateLine[clockLineSize] = {};
    char clockLine[clockLineSize] = {};
    bool cursorShown = false;  // from the second pass on
    ScreenPoint cursorAt = {}; // the pointer the cursor is centred on
};

inline bool operator==(const OverlayFrame& a, const OverlayFrame& b) {
    return a.capture == b.capture && a.backdropLevel == b.backdropLevel && a.fade == b.fade &&
           std::equal(a.buttonRows, a.buttonRows + menuButtonCount, b.buttonRows) &&
           std::equal(a.lit, a.lit + menuButtonCount, b.lit) && a.timeKnown == b.timeKnown &&
           std::strcmp(a.dateLine, b.dateLine) == 0 && std::strcmp(a.clockLine, b.clockLine) == 0 &&
           a.cursorShown == b.cursorShown && a.cursorAt.x == b.cursorAt.x &&
           a.cursorAt.y == b.cursorAt.y;
}
