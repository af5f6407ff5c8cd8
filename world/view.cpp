// One world pass: motion, collision, and the view drawn column by column with the minimap.
#include "world/view.h"

#include "app/frame.h"
#include "app/pixels.h"
#include "world/assets.h"
#include "world/collision.h"
#include "world/maze.h"
#include "world/painter.h"
#include "world/player.h"
#include "world/raycast.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

// ---- State ----------------------------------------------------------------------------------

static constexpr double wallHeightAtOneCell = 400.0; // pixels
static constexpr double horizonRow = 240.0;
static constexpr int firstWallRow = 1; // row 0 always keeps the background
static constexpr double shadePerCell = 30.0;
static constexpr int middleTexelRow = wallTextureHeight / 2;

// The collision keeps the player's centre 0.15 cells from every wall cell, so no wall seen
// from where the player can stand is taller than 400 / 0.15, about 2,667 rows; 4,000 rows (0.1
// cells) are seen only from inside a wall, leaving room for the collision's last-bit rounding.
static constexpr double tallestStandingWall = 4000.0;

static constexpr int minimapLeft = 420;
static constexpr int minimapTop = 370;
static constexpr int minimapCell = 6; // pixels per maze cell
static constexpr int playerDotSize = 4;

// ---- Helpers: one wall column ---------------------------------------------------------------

// Along the face the ray crossed (of constant X, side 1, runs along Y), flipped by no direction.
static int textureColumn() {
    const double along = rayHitSide == 0 ? rayHitX : rayHitY;
    return int((along - std::floor(along)) * wallTextureWidth);
}

// The distance is straight, not projected on the view's centre, so walls bow (fish-eye).
// A wall taller than the screen is cut at row 1, its texture starting where that row falls.
static WallSpan spanOfHit() {
    const double dist = std::sqrt((playerX - rayHitX) * (playerX - rayHitX) +
                                  (playerY - rayHitY) * (playerY - rayHitY));
    const double height = wallHeightAtOneCell / dist;
    WallSpan span;
    span.texelColumn = textureColumn() * wallTextureHeight;

    // A hit on the player's own point would be infinitely tall, and one within a hair of it
    // taller than an int counts. Such a column is filled from row 1 at full light with the
    // texture's middle row, which a wall ever closer to the eye tends to.
    if (!(height < tallestStandingWall)) {
        span.first = firstWallRow;
        span.rows = viewRows - firstWallRow;
        span.v = middleTexelRow;
        return span;
    }

    span.shade = int(shadePerCell * dist);
    span.vStep = wallTextureHeight / height;
    const int top = int(horizonRow - height / 2);
    span.first = std::max(top, firstWallRow);
    for (int row = top; row < span.first; ++row) {
        span.v = span.v + span.vStep; // the painter's own sum, through the rows above the screen
    }
    span.rows = std::min(int(height), viewRows - span.first);
    return span;
}

// ---- Helpers: the layers of the view --------------------------------------------------------

// A running sum: column 0 looks one step past the start, 319 along playerAngle - 90 (forward).
// Near a wall, neighbouring rays end in one sub-unit square, often six or more in a row: such a
// wall is worked out, summed and shaded once.
static void castView(WallSpan* spans) {
    double rayAngle = (playerAngle - 90) * radiansPerDegree - halfFieldOfView;
    for (int x = 0; x < viewColumns; ++x) {
        const double lastX = rayHitX, lastY = rayHitY;
        const uint8_t lastSide = rayHitSide;
        rayAngle = rayAngle + rayAngleStep;
        castRay(rayAngle);
        const bool repeat = x > 0 && rayHitX == lastX && rayHitY == lastY && rayHitSide == lastSide;
        spans[x] = repeat ? spans[x - 1] : spanOfHit();
        spans[x].repeatsLeft = repeat;
    }
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

// ---- World pass -----------------------------------------------------------------------------

bool updateWorld() {
    if (mazeReady == 0) {
        generateMaze();
        return false;
    }
    movePlayer();
    resolveWallCollision();
    return true;
}

void drawWorld() {
    WallSpan spans[viewColumns];
    castView(spans);
    drawBackground(spans);
    drawWalls(spans);
    drawMinimap();
    drawPlayerDot();
}

void runWorldFrame() {
    if (updateWorld()) {
        drawWorld();
    }
}
