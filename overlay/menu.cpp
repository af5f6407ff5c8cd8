// The pause menu's two framed buttons, placed by the fade and worked by the pointer.
#include "overlay/menu.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/input.h"
#include "app/pixels.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/font.h"

// ---- Layout ---------------------------------------------------------------------------------

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
constexpr int frameWidth = tile + middleWidth + tile; // 342
constexpr int frameHeight = tile + middleRows + tile; // 57

// The buttons are centred on the screen's middle column; each button's middle band and its
// label are centred on the button's row.
constexpr int menuCentreX = 320;
constexpr int middleLeft = menuCentreX - middleWidth / 2;
constexpr int middleAbove = middleRows / 2; // the band's first row, above the button's row
constexpr int labelAbove = glyphHeight / 2; // the label's first row, likewise

// The pointer zone leaves the frame's outer pixels out on every side, so the two buttons'
// zones never meet where their frames overlap at full fade.
constexpr int zoneInset = 8;

// Each button's row when the menu is closed (below the screen) and open, "Resume game" first.
struct ButtonPlace {
    int closedRow;
    int openRow;
    const char* label;
};
constexpr ButtonPlace buttonPlaces[menuButtonCount] = {{595, 115, "Resume game"},
                                                       {645, 165, "Exit"}};

// ---- Frame pieces ---------------------------------------------------------------------------

// A piece is the left or top part of its column's tile, w x h pixels of it.
static void blitPiece(int column, int row, int w, int h, int x, int y) {
    const SDL_Rect cell = buttonTiles[row * 9 + column];
    const SDL_Rect piece = makeRect(cell.x, cell.y, w, h);
    blitCell(buttonSurface, &piece, x, y);
}

static void blitRun(int column, int row, int h, int x, int y) {
    for (int i = 0; i < middleTiles; ++i) {
        blitPiece(column, row, tile, h, x + tile * i, y);
    }
    blitPiece(column, row, middleWidth - tile * middleTiles, h, x + tile * middleTiles, y);
}

// The 51 pieces of a frame whose middle band starts at (x, y), from sheet row `row`, in order.
static void drawButtonFrame(int x, int y, int row) {
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

// ---- Buttons --------------------------------------------------------------------------------

// The zone is the frame drawn for the button's row, less its inset; x 157..482 and the
// button's row +-20 as the frame stands.
static bool pointerOver(int row) {
    const int left = middleLeft - tile + zoneInset;
    const int top = row - middleAbove - tile + zoneInset;
    return pointer.x >= left && pointer.x < left + frameWidth - 2 * zoneInset && pointer.y >= top &&
           pointer.y < top + frameHeight - 2 * zoneInset;
}

// A button held down from before never clicks; the "Exit" click lets the pass run to its end.
void updatePauseMenu(OverlayFrame& frame) {
    for (int i = 0; i < menuButtonCount; ++i) {
        const int row =
            slideWithFade(frame.fade, buttonPlaces[i].closedRow, buttonPlaces[i].openRow);
        frame.buttonRows[i] = row;
        frame.lit[i] = pointerOver(row);
        if (frame.lit[i] && mouseButtonStates[SDL_BUTTON_LEFT] == Pressed) {
            if (i == 0) {
                menuOpen = false;
            } else {
                quitRequested = 1;
            }
        }
    }
}

void drawPauseMenu(const OverlayFrame& frame) {
    for (int i = 0; i < menuButtonCount; ++i) {
        const int row = frame.buttonRows[i];
        drawButtonFrame(middleLeft, row - middleAbove, frame.lit[i] ? 1 : 0);
        drawText(menuCentreX, row - labelAbove, buttonPlaces[i].label, Centre);
    }
}
