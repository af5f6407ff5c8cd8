// Loading the overlay's images and cutting its sheets into cells.
#include "overlay/assets.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/media.h"
#include "app/pixels.h"

#include <algorithm>
#include <cstdio>

// ---- State ----------------------------------------------------------------------------------

SDL_Surface* snapshotSurface = nullptr;
SDL_Surface* frostedSurface = nullptr;
SDL_Surface* fontSurface = nullptr;
SDL_Surface* buttonSurface = nullptr;
SDL_Surface* borderSurface = nullptr;
SDL_Surface* barsSurface = nullptr;
SDL_Surface* cursorSurface = nullptr;

SDL_Rect glyphRects[glyphCount] = {};
SDL_Rect buttonTiles[buttonTileCount] = {};
SDL_Rect cursorFrames[cursorFrameCount] = {};

// ---- Tables ---------------------------------------------------------------------------------

static void fillTables() {
    for (int i = 0; i < glyphCount; ++i) {
        glyphRects[i] = makeRect(glyphWidth * i, 0, glyphWidth, glyphHeight);
    }
    for (int i = 0; i < buttonTileCount; ++i) {
        buttonTiles[i] = makeRect(buttonTileSize * (i % 9), buttonTileSize * (i / 9),
                                  buttonTileSize, buttonTileSize);
    }
    for (int i = 0; i < cursorFrameCount; ++i) {
        cursorFrames[i] = makeRect(cursorFrameSize * i, 0, cursorFrameSize, cursorFrameSize);
    }
}

// The pointer covers little of its frame, and SDL blends every see-through pixel it is given, to
// no effect: a frame is cut down to the rows and columns its visible pixels lie in.
static SDL_Rect visiblePart(SDL_Surface* sheet, const SDL_Rect& frame) {
    int left = frame.x + frame.w, right = frame.x, top = frame.y + frame.h, bottom = frame.y;
    SDL_LockSurface(sheet);
    for (int y = frame.y; y < std::min(frame.y + frame.h, sheet->h); ++y) {
        for (int x = frame.x; x < std::min(frame.x + frame.w, sheet->w); ++x) {
            if (readPixel(sheet, x, y) & sheet->format->Amask) {
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
        }
    }
    SDL_UnlockSurface(sheet);
    return makeRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}

// ---- Loading --------------------------------------------------------------------------------

// A failed load only leaves its pointer null and names the file on stderr, with what the
// player will miss; the game runs on without that picture.
static SDL_Surface* loadOrSay(SDL_Surface* (*load)(const char*, ImageLimit), const char* name,
                              ImageLimit limit, const char* without) {
    const std::string file = mediaPath(name);
    SDL_Surface* image = load(file.c_str(), limit);
    if (!image) {
        std::fprintf(stderr, "plint: %s; %s\n", loadFailure(), without);
    }
    return image;
}

static constexpr ImageLimit fontLimit = {2 * glyphWidth * glyphCount, 2 * glyphHeight};
static constexpr ImageLimit buttonLimit = {2 * 9 * buttonTileSize, 2 * 2 * buttonTileSize};
static constexpr ImageLimit cursorLimit = {2 * cursorFrameSize * cursorFrameCount,
                                           2 * cursorFrameSize};

// The border and the bars are mostly see-through or mostly solid: SDL encodes their opaque
// runs once, on the first blit, and copies only those after.
static void keepRunLengthEncoded(SDL_Surface* image) {
    if (image) {
        SDL_SetColorKey(image, SDL_SRCCOLORKEY | SDL_RLEACCEL, image->format->colorkey);
    }
}

void loadOverlayAssets() {
    snapshotSurface = screen ? SDL_DisplayFormat(screen) : nullptr;
    frostedSurface = screen ? SDL_DisplayFormat(screen) : nullptr;
    fontSurface = loadOrSay(loadAlphaImage, "Canopy/Font.png", fontLimit,
                            "the menu and the clock have no text");
    buttonSurface = loadOrSay(loadAlphaImage, "Canopy/Button.png", buttonLimit,
                              "the menu buttons have no frames, only their labels");
    borderSurface =
        loadOrSay(loadImage, "Canopy/Border.png", screenImageLimit, "the screen has no border");
    barsSurface = loadOrSay(loadImage, "Canopy/TopBottomBorder.png", screenImageLimit,
                            "the pause screen has no top and bottom bars");
    cursorSurface = loadOrSay(loadAlphaImage, "Canopy/Cursor.png", cursorLimit,
                              "no pointer shows over the window, in play or in the menu");
    keepRunLengthEncoded(borderSurface);
    keepRunLengthEncoded(barsSurface);
    fillTables();
    for (int i = 0; cursorSurface && cursorSurface->format->Amask && i < cursorFrameCount; ++i) {
        cursorFrames[i] = visiblePart(cursorSurface, cursorFrames[i]);
    }
}
