// One world pass: motion, collision, and the view drawn column by column with the minimap.
#include "world/view.h"

#include "app/frame.h"
#include "app/image.h"
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
static constexpr double wallHeightAtOneCell = 400.0; // pixels
static constexpr double horizonRow = 240.0;
static constexpr int firstWallRow = 1; // row 0 always keeps the background
static constexpr double shadePerCell = 30.0;
static constexpr int middleTexelRow = wallTextureHeight / 2;

// The collision keeps the player's centre 0.15 cells from every wall cell, and a ray stops
// inside one, so no wall seen from where the player can stand is taller than 400 / 0.15,
// about 2,667 rows. A column of 4,000 rows (0.1 cells) or more is seen only from inside a
// wall; the margin between leaves room for the collision's rounding in the last bits.
static constexpr double tallestStandingWall = 4000.0;

// Where there is no background image, or it does not cover the screen, the view is laid on
// this colour, so no pixel of the previous frame shows through.
static constexpr Uint8 plainBackground[3] = {40, 44, 52};

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

// ---------------------------------------------------------------------------------------------
// Helpers: colours
// ---------------------------------------------------------------------------------------------

static inline Uint8 darken(Uint8 value, int shade) {
    const int darkened = value - shade;
    return Uint8(darkened <= 0 ? 0 : darkened >= 255 ? 255 : darkened);
}

static inline Uint32 shadedTexel(const ColourPacking& packing, int n, int shade) {
    return packColour(packing, darken(wallTexture.red[n], shade),
                      darken(wallTexture.green[n], shade), darken(wallTexture.blue[n], shade));
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

    // A hit on the player's own point would be infinitely tall, and one within a hair of it
    // would step through millions of hidden rows one by one. Such a column is filled from row
    // 1 at full light with the texture's middle row, which is what a wall ever closer to the
    // eye tends to. Every height the player can meet takes the path below.
    if (!(height < tallestStandingWall)) {
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
// The running texture row is summed exactly as for any other column either way. The
// packing comes by value, so it stays in registers across the pixel stores.
template <int Bytes>
static void paintSpan(const WallSpan span, const ColourPacking packing, int k) {
    const int pitch = screen->pitch;
    Uint8* p = rowStart(screen, span.top) + Bytes * k;
    double v = span.v;
    if (span.vStep < 1.0) {
        Uint32 colours[wallTextureHeight];
        for (int t = std::min(int(v), wallTextureHeight - 1); t < wallTextureHeight; ++t) {
            colours[t] = shadedTexel(packing, span.texelColumn + t, span.shade);
        }
        for (int i = 0; i < span.rows; ++i) {
            storePixel<Bytes>(p, colours[std::min(int(v), wallTextureHeight - 1)]);
            p += pitch;
            v = v + span.vStep;
        }
        return;
    }
    for (int i = 0; i < span.rows; ++i) {
        const int t = std::min(int(v), wallTextureHeight - 1);
        storePixel<Bytes>(p, shadedTexel(packing, span.texelColumn + t, span.shade));
        p += pitch;
        v = v + span.vStep;
    }
}

// ---------------------------------------------------------------------------------------------
// Helpers: the layers of the view
// ---------------------------------------------------------------------------------------------

// The image's cyan pixels still leave the screen as it was: the key is the picture's own.
static void drawBackground() {
    const SDL_Surface* image = backgroundSurface;
    if (!image || image->w < viewColumns || image->h < viewRows) {
        SDL_FillRect(
            screen, nullptr,
            SDL_MapRGB(screen->format, plainBackground[0], plainBackground[1], plainBackground[2]));
    }
    blitCell(backgroundSurface, nullptr, 0, 0);
}

// The angle is a running sum: column 0 is one step past the start, and column 319 looks
// along playerAngle - 90, the direction of forward motion.
static void drawWallColumns() {
    const ColourPacking packing = describePixels(screen->format).packing;
    lockPixels(screen);
    forBytesPerPixel(screen->format->BytesPerPixel, [&](auto bytes) {
        double rayAngle = (playerAngle - 90) * radiansPerDegree - halfFieldOfView;
        for (int k = 0; k < viewColumns; ++k) {
            rayAngle = rayAngle + rayAngleStep;
            castRay(rayAngle);
            paintSpan<bytes()>(spanOfHit(), packing, k);
        }
    });
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
            SDL_FillRect(screen, &cell, mazeCells[mazeIndex(x, y)] == 0 ? open : wall);
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
    drawBackground();
    drawWallColumns();
    drawMinimap();
    drawPlayerDot();
}
