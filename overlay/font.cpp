// Drawing text with the bitmap font's 15 x 21 cells at an 11-pixel advance.
#include "overlay/font.h"

#include "app/image.h"
#include "overlay/assets.h"

#include <cstring>

// ---- Layout ---------------------------------------------------------------------------------

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

// ---- Text -----------------------------------------------------------------------------------

static int glyphIndex(unsigned char c) {
    return c >= 32 && c <= 126 ? c - 32 : 0;
}

void drawText(int x, int y, const char* text, int align) {
    const int length = int(std::strlen(text));
    const int x0 = firstCellX(x, length, align);
    for (int i = 0; i < length; ++i) {
        blitCell(fontSurface, &glyphRects[glyphIndex(Uint8(text[i]))], x0 + glyphAdvance * i, y);
    }
}
