// The bitmap font: one row of 15 x 21 cells, drawn with an 11-pixel advance so neighbouring
// cells overlap by 4 pixels (the glyphs are alpha-blended, so the overlap shows through).
#pragma once

// Where drawText's x lies on the text's advance width; any other code starts at x 0.
enum TextAlign : int {
    Left = 1,   // x is the left edge of the first cell
    Centre = 2, // x is the middle of the advance width
    Right = 3,  // x is where the advance width ends
};

constexpr int glyphAdvance = 11; // pixels from one character's cell to the next

// Called by the pause menu and the clock bars, every visible pass. x is the anchor given by
// align and y the cells' top row, in screen pixels; text is NUL-terminated, and a byte
// outside ' '..'~' shows as a space. Draws onto screen, clipped glyph by glyph.
void drawText(int x, int y, const char* text, int align);
