#include "world/view.h"

#include "app/frame.h"
#include "app/pixels.h"
#include "world/assets.h"
#include "world/collision.h"
#include "world/maze.h"
#include "world/player.h"
#include "world/raycast.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

static constexpr int viewColumns = 640; // one ray each
static constexpr int viewRows = 480;
static constexpr double radiansPerDegree = 0.0174532925;
static constexpr double rayAngleStep = 0.00234375;   // radians between neighbouring columns
static constexpr double halfFieldOfView = 0.75;      // radians, to the right of the centre
static constexpr double wallHeightAtOneCell = 400.0; // pixels
static constexpr double horizonRow = 240.0;
static constexpr int firstWallRow = 1; // row 0 always keeps the background
static constexpr double shadePerCell = 30.0;
static constexpr int middleTexelRow = wallTextureHeight / 2;

static constexpr int minimapLeft = 420;
static constexpr int minimapTop = 370;
static constexpr int minimapCell = 6; // pixels per maze cell
static constexpr int playerDotSize = 4;

// Everything a column needs to paint its wall, worked out before any pixel is written.
struct WallSpan {
    int top = 0;         // first screen row painted
    int rows = 0;        // rows painted from top down
    double v = 0.0;      // texture row at top, a running sum
    double vStep = 0.0;  // texture rows per screen row
    int texelColumn = 0; // start of the texture column in the planes
    int shade = 0;       // subtracted from each channel
};

// SDL_MapRGB for the screen, taken apart once per frame: on a true-colour display it is
// only shifts, cheap enough to do inline for nearly every wall pixel. The fields are
// copied so the compiler need not reload them through the format after each pixel store.
struct PixelPacking {
    const SDL_PixelFormat* format = nullptr; // paletted displays go through SDL_MapRGB
    bool paletted = false;
    int rLoss = 0, gLoss = 0, bLoss = 0;
    int rShift = 0, gShift = 0, bShift = 0;
    Uint32 aMask = 0;
};

// ---------------------------------------------------------------------------------------------
// Helpers: colours
// ---------------------------------------------------------------------------------------------

static PixelPacking packingOf(const SDL_PixelFormat* format) {
    PixelPacking packing;
    packing.format = format;
    packing.paletted = format->palette != nullptr;
    packing.rLoss = format->Rloss, packing.gLoss = format->Gloss, packing.bLoss = format->Bloss;
    packing.rShift = format->Rshift, packing.gShift = format->Gshift;
    packing.bShift = format->Bshift;
    packing.aMask = format->Amask;
    return packing;
}

static inline Uint32 packRGB(const PixelPacking& p, Uint8 r, Uint8 g, Uint8 b) {
    if (p.paletted) {
        return SDL_MapRGB(p.format, r, g, b);
    }
    return Uint32(r >> p.rLoss) << p.rShift | Uint32(g >> p.gLoss) << p.gShift |
           Uint32(b >> p.bLoss) << p.bShift | p.aMask;
}

static inline Uint8 darken(Uint8 value, int shade) {
    const int darkened = value - shade;
    return Uint8(darkened <= 0 ? 0 : darkened >= 255 ? 255 : darkened);
}

static inline Uint32 shadedTexel(const PixelPacking& packing, int n, int shade) {
    return packRGB(packing, darken(wallTexture.red[n], shade), darken(wallTexture.green[n], shade),
                   darken(wallTexture.blue[n], shade));
}

// ---------------------------------------------------------------------------------------------
// Helpers: one wall column
// ---------------------------------------------------------------------------------------------

// The texture runs along the face the ray crossed: a face of constant X (side 1) runs
// along Y. No flip by the ray's direction.
static int textureColumn() {
    const double along = rayHitSide == 0 ? rayHitX : rayHitY;
    return int((along - std::floor(along)) * wallTextureWidth);
}

// The distance is straight, not projected on the view's centre, so walls bow (fish-eye).
// A wall taller than the screen is cut at row 1, its texture starting where that row falls;
// the skipped rows are stepped one by one so the running texture row matches exactly.
static WallSpan spanOfHit() {
    const double dist = std::sqrt((playerX - rayHitX) * (playerX - rayHitX) +
                                  (playerY - rayHitY) * (playerY - rayHitY));
    const double height = wallHeightAtOneCell / dist;
    WallSpan span;
    span.texelColumn = textureColumn() * wallTextureHeight;

    // A hit on the player's own point (only possible from inside a wall) would be infinitely
    // tall, and one within a hair of it too tall to count rows in an int. Such a column is
    // filled from row 1 at full light with the texture's middle row, which is what a wall
    // ever closer to the eye tends to. Every drawable height takes the path below.
    if (!(height < 2147483648.0)) {
        span.top = firstWallRow;
        span.rows = viewRows - firstWallRow;
        span.v = middleTexelRow;
        return span;
    }

    span.shade = int(shadePerCell * dist);
    span.vStep = wallTextureHeight / height;
    span.top = int(horizonRow - height / 2);
    while (span.top < firstWallRow) {
        span.top = span.top + 1;
        span.v = span.v + span.vStep;
    }
    span.rows = std::min(int(height), viewRows - span.top);
    return span;
}

// A wall taller than the texture (less than one texel per row) repeats texels, so their
// shaded colours are worked out once per column into a table, from the first texel shown
// down; a shorter wall samples a new texel nearly every row and works each out in place.
// The running texture row is summed exactly as for any other column either way.
template <int bytesPerPixel>
static void paintSpan(const WallSpan span, const PixelPacking packing, int k) {
    const int pitch = screen->pitch;
    Uint8* p = static_cast<Uint8*>(screen->pixels) + pitch * span.top + bytesPerPixel * k;
    double v = span.v;
    if (span.vStep < 1.0) {
        Uint32 colours[wallTextureHeight];
        for (int t = std::min(int(v), wallTextureHeight - 1); t < wallTextureHeight; ++t) {
            colours[t] = shadedTexel(packing, span.texelColumn + t, span.shade);
        }
        for (int i = 0; i < span.rows; ++i) {
            storePixel(p, bytesPerPixel, colours[std::min(int(v), wallTextureHeight - 1)]);
            p += pitch;
            v = v + span.vStep;
        }
        return;
    }
    for (int i = 0; i < span.rows; ++i) {
        const int t = std::min(int(v), wallTextureHeight - 1);
        storePixel(p, bytesPerPixel, shadedTexel(packing, span.texelColumn + t, span.shade));
        p += pitch;
        v = v + span.vStep;
    }
}

static void paintSpanAnyDepth(const WallSpan& span, const PixelPacking& packing, int k) {
    switch (screen->format->BytesPerPixel) {
    case 1:
        paintSpan<1>(span, packing, k);
        break;
    case 2:
        paintSpan<2>(span, packing, k);
        break;
    case 3:
        paintSpan<3>(span, packing, k);
        break;
    case 4:
        paintSpan<4>(span, packing, k);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Helpers: the layers of the view
// ---------------------------------------------------------------------------------------------

// The angle is a running sum: column 0 is one step past the start, and column 319 looks
// along playerAngle - 90, the direction of forward motion.
static void drawWallColumns() {
    const PixelPacking packing = packingOf(screen->format);
    lockPixels(screen);
    double rayAngle = (playerAngle - 90) * radiansPerDegree - halfFieldOfView;
    for (int k = 0; k < viewColumns; ++k) {
        rayAngle = rayAngle + rayAngleStep;
        castRay(rayAngle);
        paintSpanAnyDepth(spanOfHit(), packing, k);
    }
    unlockPixels(screen);
}

// Only a cell holding exactly 0 is open (white); any other value is wall (black).
static void drawMinimap() {
    const Uint32 open = SDL_MapRGB(screen->format, 255, 255, 255);
    const Uint32 wall = SDL_MapRGB(screen->format, 0, 0, 0);
    for (int y = 0; y < mazeHeight; ++y) {
        for (int x = 0; x < mazeWidth; ++x) {
            SDL_Rect cell = makeRect(minimapLeft + minimapCell * x, minimapTop + minimapCell * y,
                                     minimapCell, minimapCell);
            SDL_FillRect(screen, &cell, mazeCells[x * mazeHeight + y] == 0 ? open : wall);
        }
    }
}

// The dot's corner is placed by truncating toward zero, as every conversion in the game
// does: at (1.5, 1.5) it covers columns 427 to 430 and rows 377 to 380.
static void drawPlayerDot() {
    SDL_Rect dot =
        makeRect(minimapLeft - int(2 - minimapCell * playerX),
                 minimapTop - int(2 - minimapCell * playerY), playerDotSize, playerDotSize);
    SDL_FillRect(screen, &dot, SDL_MapRGB(screen->format, 255, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// World pass
// ---------------------------------------------------------------------------------------------

void runWorldFrame() {
    if (mazeReady == 0) {
        generateMaze();
        return;
    }
    movePlayer();
    resolveWallCollision();
    SDL_BlitSurface(backgroundSurface, nullptr, screen, nullptr);
    drawWallColumns();
    drawMinimap();
    drawPlayerDot();
}
