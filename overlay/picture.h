// The overlay's picture of one pass: what its update decided and its drawing shows.
#pragma once

#include "app/input.h"

#include "app/fields.h"

#include <array>
#include <tuple>

constexpr int menuButtonCount = 2; // "Resume game", then "Exit"
constexpr int clockLineSize = 64;  // the longest date and any year an int holds fit

// Everything the overlay's part of a frame is drawn from, besides the art: two passes that
// leave equal OverlayFrames draw the same pixels over the same frame below. Fields that do
// not show (the menu's while the fade is 0) hold their defaults, so they never differ.
struct OverlayFrame {
    bool capture = false;       // the menu opened from rest: the screen is frozen first
    double backdropLevel = 0.0; // the fade before this pass's easing step
    double fade = 0.0;          // after it; the menu and the bars show while it is not 0
    std::array<int, menuButtonCount> buttonRows = {}; // each button's middle row, slid by the fade
    std::array<bool, menuButtonCount> lit = {};       // the pointer is over the button
    bool timeKnown = false;                           // the date and the clock show
    std::array<char, clockLineSize> dateLine = {};    // nul-terminated, zeros after
    std::array<char, clockLineSize> clockLine = {};
    bool cursorDrawn = false;  // from the second pass on
    ScreenPoint cursorAt = {}; // the pointer the cursor is centred on
};

// Every field of OverlayFrame, once: a pass is skipped when these all equal the last shown.
inline auto tied(const OverlayFrame& f) {
    return std::tie(f.capture, f.backdropLevel, f.fade, f.buttonRows, f.lit, f.timeKnown,
                    f.dateLine, f.clockLine, f.cursorDrawn, f.cursorAt);
}
// A field left out of tied() would freeze the screen whenever only it changes.
static_assert(std::tuple_size_v<decltype(tied(OverlayFrame()))> == fieldCount<OverlayFrame>(),
              "every field of OverlayFrame is listed in tied()");

inline bool operator==(const OverlayFrame& a, const OverlayFrame& b) {
    return tied(a) == tied(b);
}
