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

// ---- State ----------------------------------------------------------------------------------

static constexpr int viewColumns = 640;       // one ray each
static constexpr int stripColumns = 16;       // painted together, row by row
static constexpr int backgroundColumns = 128; // the background is laid in bands this wide
static_assert(viewColumns % stripColumns == 0, "the strips tile the view");
static_assert(viewColumns % backgroundColumns == 0, "the bands tile the view");
static_assert(wallTextureHeight >= 16, "texels are shaded sixteen at a time");
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
    int top = 0;         // the wall's first row, painted or not
    int first = 0;       // first screen row painted, 1 or more
    int rows = 0;        // rows painted from first down
    double v = 0.0;      // texture row at top, then the painter's running sum
    double vStep = 0.0;  // texture rows per screen row
    int texelColumn = 0; // start of the texture column in the planes
    int shade = 0;       // subtracted from each channel
};

// ---- Helpers: colours -----------------------------------------------------------------------

// Sixteen texels of the three planes less the shade, or down to 0, packed by shifts. A
// fixed count over unaliased arrays, so the compiler vectorises it without -march.
static void shadeSixteen(const uint8_t* __restrict red, const uint8_t* __restrict green,
                         const uint8_t* __restrict blue, int shade, const ColourPacking p,
                         Uint32* __restrict colours) {
    for (int k = 0; k < 16; ++k) {
        colours[k] = packShifted(p, std::max(red[k] - shade, 0), std::max(green[k] - shade, 0),
                                 std::max(blue[k] - shade, 0));
    }
}

// The shaded colours of at least texels first..last of the span's column, into the same
// places of colours: sixteen at a time when the screen packs by shifts, the last sixteen
// ending on `last` (a column has more than sixteen texels), else one by one through SDL. A
// distance is never negative, so neither is the shade, and at 255 or more every channel is 0.
static void shadeTexels(const WallSpan& span, const ColourPacking& p, int first, int last,
                        Uint32* colours) {
    const int shade = std::min(span.shade, 255);
    const uint8_t* red = wallTexture.red + span.texelColumn;
    const uint8_t* green = wallTexture.green + span.texelColumn;
    const uint8_t* blue = wallTexture.blue + span.texelColumn;
    if (!p.bySdl) {
        for (int t = first; t <= last; t += 16) {
            const int n = std::min(t, std::max(last - 15, 0));
            shadeSixteen(red + n, green + n, blue + n, shade, p, colours + n);
        }
        return;
    }
    for (int t = first; t <= last; ++t) {
        colours[t] =
            SDL_MapRGB(p.format, Uint8(std::max(red[t] - shade, 0)),
                       Uint8(std::max(green[t] - shade, 0)), Uint8(std::max(blue[t] - shade, 0)));
    }
}

// ---- Helpers: one wall column ---------------------------------------------------------------

// The texture runs along the face the ray crossed: a face of constant X (side 1) runs
// along Y. No flip by the ray's direction.
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
    // would step through millions of hidden rows one by one. Such a column is filled from row
    // 1 at full light with the texture's middle row, which is what a wall ever closer to the
    // eye tends to. Every height the player can meet takes the path below.
    if (!(height < tallestStandingWall)) {
        span.top = firstWallRow;
        span.first = firstWallRow;
        span.rows = viewRows - firstWallRow;
        span.v = middleTexelRow;
        return span;
    }

    span.shade = int(shadePerCell * dist);
    span.vStep = wallTextureHeight / height;
    span.top = int(horizonRow - height / 2);
    span.first = std::max(span.top, firstWallRow);
    span.rows = std::min(int(height), viewRows - span.first);
    return span;
}

// A column of the strip being painted, its texels shaded once from about the first shown on.
struct StripColumn {
    WallSpan span;
    Uint32 colours[wallTextureHeight];
};

// Which texels the running sum reaches is known before it is summed, but for its rounding:
// the sum strays from the product by far less than a texel row, so a row of margin on either
// side covers every texel the column shows.
static void prepareColumn(StripColumn& column, const ColourPacking& packing) {
    const WallSpan& span = column.span;
    const double shown = span.v + (span.first - span.top) * span.vStep;
    const int first = std::clamp(int(shown) - 1, 0, wallTextureHeight - 1);
    const int last =
        std::clamp(int(shown + span.rows * span.vStep) + 1, first, wallTextureHeight - 1);
    shadeTexels(span, packing, first, last, column.colours);
}

enum class Rows { AboveScreen, Some, Every }; // which columns paint: none, some, all

// Rows y0..y1 of the strip, straight onto the screen. A wall taller than the screen passes
// its texture row through every row above row 1 too, unpainted: there the columns sum side
// by side, adding nothing (exactly: a sum is never -0) above their own tops, so the compiler
// vectorises it; against a wall some 2,500 rows tall it is most of what a pass sums. Where
// every column paints the rows need no tests; elsewhere a column paints where its wall runs.
template <int Bytes, Rows Which>
static void paintRows(StripColumn* columns, int left, int y0, int y1) {
    double v[stripColumns];
    double step[stripColumns];
    double top[stripColumns];
    for (int j = 0; j < stripColumns; ++j) {
        v[j] = columns[j].span.v;
        step[j] = columns[j].span.vStep;
        top[j] = columns[j].span.top;
    }
    for (int y = y0; y < y1; ++y) {
        Uint8* row = Which == Rows::AboveScreen ? nullptr : rowStart(screen, y) + Bytes * left;
#pragma GCC unroll 16
        for (int j = 0; j < stripColumns; ++j) {
            const WallSpan& span = columns[j].span;
            if constexpr (Which == Rows::AboveScreen) {
                v[j] = v[j] + (y >= top[j] ? step[j] : 0.0);
            } else if (Which == Rows::Every || (y >= span.first && y < span.first + span.rows)) {
                storePixel<Bytes>(row + Bytes * j,
                                  columns[j].colours[std::min(int(v[j]), wallTextureHeight - 1)]);
                v[j] = v[j] + step[j];
            }
        }
    }
    for (int j = 0; j < stripColumns; ++j) {
        columns[j].span.v = v[j];
    }
}

// The rows every column of a run of columns paints, [first, end): none (first == end) when
// their walls do not overlap.
struct RowRange {
    int first = 0, end = 0;
};

static RowRange rowsEveryColumnPaints(const WallSpan* spans, int columns) {
    RowRange rows = {0, viewRows};
    for (int j = 0; j < columns; ++j) {
        rows.first = std::max(rows.first, spans[j].first);
        rows.end = std::min(rows.end, spans[j].first + spans[j].rows);
    }
    rows.end = std::max(rows.end, rows.first);
    return rows;
}

// Row by row across a strip of neighbouring columns: the rows of a single column lie a pitch
// apart and crowd into a few cache sets, while a strip's row at 32 bits is one cache line and
// the columns' running sums go on side by side. Each column still adds its texture step once
// per row, from its top, in order, exactly as the plain reading does. Measured under the
// dummy driver, a world pass took 525-750 us this way against 850-1,140 us for a plain
// column loop with the same shading: keep the strips.
template <int Bytes> static void paintStrip(StripColumn* columns, const RowRange& full, int left) {
    int top = viewRows;
    int end = 0;
    for (int j = 0; j < stripColumns; ++j) {
        top = std::min(top, columns[j].span.top);
        end = std::max(end, columns[j].span.first + columns[j].span.rows);
    }
    paintRows<Bytes, Rows::AboveScreen>(columns, left, top, firstWallRow);
    paintRows<Bytes, Rows::Some>(columns, left, std::max(top, firstWallRow), full.first);
    paintRows<Bytes, Rows::Every>(columns, left, full.first, full.end);
    paintRows<Bytes, Rows::Some>(columns, left, full.end, end);
}

// ---- Helpers: the layers of the view --------------------------------------------------------

// The angle is a running sum: column 0 is one step past the start, and column 319 looks
// along playerAngle - 90, the direction of forward motion.
static void castView(WallSpan* spans) {
    double rayAngle = (playerAngle - 90) * radiansPerDegree - halfFieldOfView;
    for (int x = 0; x < viewColumns; ++x) {
        rayAngle = rayAngle + rayAngleStep;
        castRay(rayAngle);
        spans[x] = spanOfHit();
    }
}

// The image's cyan pixels still leave the screen as it was: the key is the picture's own.
// Rows the walls paint in every column of a band are not laid: in most views they are much
// of the screen. Under the dummy driver a world pass took 383-464 us in bands of 128 columns
// against 498-519 us laying it whole; narrower bands cost more, as SDL copies row by row.
static void drawBackground(const WallSpan* spans) {
    const SDL_Surface* image = backgroundSurface;
    if (!image || image->w < viewColumns || image->h < viewRows) {
        SDL_FillRect(
            screen, nullptr,
            SDL_MapRGB(screen->format, plainBackground[0], plainBackground[1], plainBackground[2]));
        blitCell(backgroundSurface, nullptr, 0, 0);
        return;
    }
    for (int left = 0; left < viewColumns; left += backgroundColumns) {
        const RowRange wall = rowsEveryColumnPaints(spans + left, backgroundColumns);
        SDL_Rect above = makeRect(left, 0, backgroundColumns, wall.first);
        SDL_Rect below = makeRect(left, wall.end, backgroundColumns, viewRows - wall.end);
        blitCell(backgroundSurface, &above, left, 0);
        blitCell(backgroundSurface, &below, left, wall.end);
    }
}

static void drawWalls(const WallSpan* spans) {
    const ColourPacking packing = describePixels(screen->format).packing;
    SDL_LockSurface(screen);
    forBytesPerPixel(screen->format->BytesPerPixel, [&](auto bytes) {
        StripColumn columns[stripColumns];
        for (int left = 0; left < viewColumns; left += stripColumns) {
            for (int j = 0; j < stripColumns; ++j) {
                columns[j].span = spans[left + j];
                prepareColumn(columns[j], packing);
            }
            paintStrip<bytes()>(columns, rowsEveryColumnPaints(spans + left, stripColumns), left);
        }
    });
    SDL_UnlockSurface(screen);
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
