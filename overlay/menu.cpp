// The pause menu's two framed buttons, placed by the fade and worked by the pointer.
#include "overlay/menu.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/input.h"
#include "app/pixels.h"
#include "app/replay.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/font.h"

#include <cstring>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// The frames of the last passes: each button, normal or lit.
static DrawingMemory keptFrames = drawingMemory(4);

// What a frame's pixels depend on besides the pixels below.
struct FrameDescription {
    const void* sheet;
    const void* sheetPixels;
    int x;
    int y;
    int highlighted;
};

// ---------------------------------------------------------------------------------------------
// Frame pieces
// ---------------------------------------------------------------------------------------------

// The button sheet's columns; row 1 holds the same pieces highlighted.
enum ButtonPiece : int {
    TopLeft = 0,
    BottomLeft = 1,
    TopRight = 2,
    BottomRight = 3,
    BottomEdge = 4,
    RightEdge = 5,
    TopEdge = 6,
    LeftEdge = 7,
    Middle = 8,
};

constexpr int tile = buttonTileSize;
constexpr int middleTiles = 14; // 294 pixels, then a 6-pixel piece: 300 across
constexpr int middleWidth = 300;
constexpr int middleRows = 15;

// A piece is the left or top part of its column's tile, w x h pixels of it.
static void blitPiece(int column, int row, int w, int h, int x, int y) {
    const SDL_Rect cell = buttonTiles[row * 9 + column];
    const SDL_Rect piece = makeRect(cell.x, cell.y, w, h);
    blitCell(buttonSurface, &piece, x, y);
}

// Fourteen whole tiles and the 6-pixel left part of a fifteenth fill the 300 pixels.
static void blitRun(int column, int row, int h, int x, int y) {
    for (int i = 0; i < middleTiles; ++i) {
        blitPiece(column, row, tile, h, x + tile * i, y);
    }
    blitPiece(column, row, middleWidth - tile * middleTiles, h, x + tile * middleTiles, y);
}

// The 51 pieces of a frame, from sheet row `row`, in their fixed order.
static void blitFrame(int x, int y, int row) {
    blitPiece(TopLeft, row, tile, tile, x - tile, y - tile);
    blitPiece(BottomLeft, row, tile, tile, x - tile, y + middleRows);
    blitPiece(TopRight, row, tile, tile, x + middleWidth, y - tile);
    blitPiece(BottomRight, row, tile, tile, x + middleWidth, y + middleRows);
    blitRun(BottomEdge, row, tile, x, y + middleRows);
    blitPiece(RightEdge, row, tile, middleRows, x + middleWidth, y);
    blitRun(TopEdge, row, tile, x, y - tile);
    blitPiece(LeftEdge, row, tile, middleRows, x - tile, y);
    blitRun(Middle, row, middleRows, x, y);
}

// ---------------------------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------------------------

// The pieces are translucent and blend over what lies below, so a frame is replayed only where
// the pixels below are the same as when it was drawn: at full fade, not while sliding.
void drawButtonFrame(int x, int y, int highlighted) {
    if (!buttonSurface) {
        return;
    }
    FrameDescription frame;
    std::memset(&frame, 0, sizeof frame);
    frame.sheet = buttonSurface;
    frame.sheetPixels = buttonSurface->pixels;
    frame.x = x;
    frame.y = y;
    frame.highlighted = highlighted;
    const int width = tile + middleWidth + tile;
    const int height = tile + middleRows + tile;
    if (replayDrawing(keptFrames, &frame, sizeof frame, x - tile, y - tile, width, height)) {
        return;
    }
    blitFrame(x, y, highlighted);
    keepDrawing(keptFrames);
}

// The zone's bounds are exclusive and leave the frame's outer 8 pixels out, so the two
// buttons' zones never meet where their frames overlap at full fade.
static bool pointerOver(int y) {
    return pointer.x > 156 && pointer.x < 483 && pointer.y > y - 21 && pointer.y < y + 21;
}

// Draws the button centred on row y with its label and answers whether the left button went
// down over it in this pass: a button held down from before never clicks.
static bool menuButton(int y, const char* label) {
    const bool over = pointerOver(y);
    const bool clicked = over && mouseButtonStates[SDL_BUTTON_LEFT] == Pressed;
    drawButtonFrame(170, y - 7, over ? 1 : 0);
    drawText(320, y - 10, label, Centre);
    return clicked;
}

void drawPauseMenu() {
    if (menuButton(slideWithFade(fadeLevel, 595, 115), "Resume game")) {
        menuOpen = false;
    }
    if (menuButton(slideWithFade(fadeLevel, 645, 165), "Exit")) {
        quitRequested = 1;
    }
}
