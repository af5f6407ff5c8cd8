#include "overlay/font.h"

#include "app/frame.h"
#include "overlay/assets.h"

#include <cstring>

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

int glyphIndex(unsigned char c) {
    return c >= 32 && c <= 126 ? c - 32 : 0;
}

// SDL rewrites the destination rectangle when it clips, so each glyph gets a fresh one and
// the next still lands at its own pen position.
void drawText(int x, int y, const char* text, int align) {
    const int length = int(std::strlen(text));
    const int x0 = firstCellX(x, length, align);
    for (int i = 0; i < length; ++i) {
        SDL_Rect at = {};
        at.x = Sint16(x0 + glyphAdvance * i);
        at.y = Sint16(y);
        SDL_BlitSurface(fontSurface, &glyphRects[glyphIndex(Uint8(text[i]))], screen, &at);
    }
}
