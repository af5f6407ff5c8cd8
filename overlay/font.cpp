// Drawing text with the bitmap font's 15 x 21 cells at an 11-pixel advance.
#include "overlay/font.h"

#include "app/image.h"
#include "app/replay.h"
#include "overlay/assets.h"

#include <cstring>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// The lines of the last passes: the menu's two labels, the date, the clock and the credit.
static DrawingMemory keptLines = drawingMemory(6);

// What a line's pixels depend on besides the pixels below: the font sheet, where the first
// cell lands, and the text, up to the longest line kept.
constexpr int longestKeptLine = 64;
struct LineDescription {
    const void* sheet;
    const void* sheetPixels;
    int x;
    int y;
    int length;
    char text[longestKeptLine];
};

// ---------------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------------

// 11 n is never negative, so the division rounds an odd width's half down and the text
// starts half a pixel right of true centre.
static int firstCellX(int x, int length, int align) {
    const int advanceWidth = glyphAdvance * length;
    switch (align) {
    case Left:
        return x;
    case Centre:
        return x - advanceWidth / 2;
    case Right:
        return x - advanceWidth;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------------------------

static int glyphIndex(unsigned char c) {
    return c >= 32 && c <= 126 ? c - 32 : 0;
}

static void blitGlyphs(int x0, int y, const char* text, int length) {
    for (int i = 0; i < length; ++i) {
        blitCell(fontSurface, &glyphRects[glyphIndex(Uint8(text[i]))], x0 + glyphAdvance * i, y);
    }
}

// The glyphs blend over what lies below, so a line is replayed only where the pixels below
// are the same as when it was drawn: the clock's bar at full fade, not the sliding bars.
void drawText(int x, int y, const char* text, int align) {
    const int length = int(std::strlen(text));
    const int x0 = firstCellX(x, length, align);
    if (length == 0 || length > longestKeptLine || !fontSurface) {
        blitGlyphs(x0, y, text, length);
        return;
    }
    LineDescription line;
    std::memset(&line, 0, sizeof line);
    line.sheet = fontSurface;
    line.sheetPixels = fontSurface->pixels;
    line.x = x0;
    line.y = y;
    line.length = length;
    std::memcpy(line.text, text, size_t(length));
    const int width = glyphAdvance * (length - 1) + glyphWidth;
    if (replayDrawing(keptLines, &line, sizeof line, x0, y, width, glyphHeight)) {
        return;
    }
    blitGlyphs(x0, y, text, length);
    keepDrawing(keptLines);
}
