// Loading the overlay's images and cutting its sheets into cells.
#include "overlay/assets.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/pixels.h"

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

SDL_Surface* snapshotSurface = nullptr;
SDL_Surface* frostedSurface = nullptr;
SDL_Surface* fontSurface = nullptr;
SDL_Surface* buttonSurface = nullptr;
SDL_Surface* borderSurface = nullptr;
SDL_Surface* barsSurface = nullptr;
SDL_Surface* cursorSurface = nullptr;

OpaqueRuns borderRuns;
OpaqueRuns barsRuns;

SDL_Rect glyphRects[glyphCount] = {};
SDL_Rect buttonTiles[buttonTileCount] = {};
SDL_Rect cursorFrames[cursorFrameCount] = {};

// ---------------------------------------------------------------------------------------------
// Tables
// ---------------------------------------------------------------------------------------------

static void fillTables() {
    for (int i = 0; i < glyphCount; ++i) {
        glyphRects[i] = makeRect(glyphWidth * i, 0, glyphWidth, glyphHeight);
    }
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 9; ++col) {
            buttonTiles[row * 9 + col] = makeRect(buttonTileSize * col, buttonTileSize * row,
                                                  buttonTileSize, buttonTileSize);
        }
    }
    for (int i = 0; i < cursorFrameCount; ++i) {
        cursorFrames[i] = makeRect(cursorFrameSize * i, 0, cursorFrameSize, cursorFrameSize);
    }
}

// ---------------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------------

// A failed load only leaves its pointer null; the game runs on without that picture.
void loadOverlayAssets() {
    snapshotSurface = screen ? SDL_DisplayFormat(screen) : nullptr;
    frostedSurface = screen ? SDL_DisplayFormat(screen) : nullptr;
    fontSurface = loadAlphaImage("Media/Canopy/Font.png");
    buttonSurface = loadAlphaImage("Media/Canopy/Button.png");
    borderSurface = loadImage("Media/Canopy/Border.png");
    barsSurface = loadImage("Media/Canopy/TopBottomBorder.png");
    cursorSurface = loadAlphaImage("Media/Canopy/Cursor.png");
    borderRuns = findOpaqueRuns(borderSurface);
    barsRuns = findOpaqueRuns(barsSurface);
    fillTables();
}
