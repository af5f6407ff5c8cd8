// The pause overlay's images, its two screen-sized scratch surfaces and the rectangle
// tables that cut the sprite sheets into cells. All of it is loaded once at start-up and
// never freed; any surface pointer is null when its image could not be loaded or made.
#pragma once

#include <SDL.h>

constexpr int glyphCount = 95;       // font cells, characters 32 (' ') to 126 ('~')
constexpr int glyphWidth = 15;       // font cell width in pixels
constexpr int glyphHeight = 21;      // font cell height in pixels
constexpr int buttonTileCount = 18;  // two rows (normal, highlighted) of nine 21 x 21 tiles
constexpr int buttonTileSize = 21;   // tile side in pixels
constexpr int cursorFrameCount = 16; // 96 x 96 frames side by side
constexpr int cursorFrameSize = 96;  // frame side in pixels

// Screen-format copies of the screen; the frosted backdrop fills them when the menu opens
// from rest. Null allowed: the backdrop then reads the screen itself and blends the frost
// from its own planes.
extern SDL_Surface* snapshotSurface;
extern SDL_Surface* frostedSurface;

// Sheets and images from the art folder's Canopy/ (app/media.h). Null allowed: SDL then
// refuses to draw them and the overlay goes on without that layer.
extern SDL_Surface* fontSurface;   // Font.png, per-pixel alpha, cut by glyphRects
extern SDL_Surface* buttonSurface; // Button.png, per-pixel alpha, cut by buttonTiles
extern SDL_Surface* borderSurface; // Border.png, cyan keyed, drawn whole at (0, 0)
extern SDL_Surface* barsSurface;   // TopBottomBorder.png, cyan keyed, the top and bottom bars
extern SDL_Surface* cursorSurface; // Cursor.png, per-pixel alpha, cut by cursorFrames

// Source rectangles in sheet pixels; all zero until loadOverlayAssets, constant after.
extern SDL_Rect glyphRects[glyphCount];         // cell i holds character 32 + i
extern SDL_Rect buttonTiles[buttonTileCount];   // entry row * 9 + column
extern SDL_Rect cursorFrames[cursorFrameCount]; // frame i at x 96 i, cut to its visible part

// Called by main once, after the video mode is open (the scratch copies take the screen's
// format) and after the world's loader. Each image that cannot be loaded is named on stderr,
// one line each, with what the player will see without it.
void loadOverlayAssets();
