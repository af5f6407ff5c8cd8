// The wall painter: the view's wall columns and the background around them, onto the screen.
// The hot path of a pass: strips of columns painted row by row, rows asked for ahead, repeated
// columns copied, and the background laid only where the walls leave it showing.
#include "world/painter.h"

#include "app/frame.h"
#include "app/image.h"
#include "app/pixels.h"
#include "world/assets.h"

#include <SDL.h>
#include <algorithm>

// ---- State ----------------------------------------------------------------------------------

static constexpr int stripColumns = 16;       // painted together, row by row
static constexpr int prefetchRows = 16;       // how far ahead a strip's rows are asked for
static constexpr int backgroundColumns = 128; // the background is laid in bands this wide
static_assert(viewColumns % stripColumns == 0, "the strips tile the view");
static_assert(viewColumns % backgroundColumns == 0, "the bands tile the view");
static_assert(wallTextureHeight >= 16, "texels are shaded sixteen at a time");

// Under a missing or small background image, so no pixel of the previous frame shows through.
static constexpr Uint8 plainBackground[3] = {40, 44, 52};

// ---- Helpers: colours -----------------------------------------------------------------------

// Sixteen texels of the three planes less the shade, or down to 0, packed by shifts: a fixed
// count over unaliased arrays, darkened first in bytes, so it vectorises without -march.
static void shadeSixteen(const uint8_t* __restrict red, const uint8_t* __restrict green,
                         const uint8_t* __restrict blue, uint8_t shade, const ColourPacking p,
                         Uint32* __restrict colours) {
    uint8_t r[16], g[16], b[16];
    for (int k = 0; k < 16; ++k) {
        r[k] = red[k] > shade ? red[k] - shade : 0;
        g[k] = green[k] > shade ? green[k] - shade : 0;
        b[k] = blue[k] > shade ? blue[k] - shade : 0;
    }
    for (int k = 0; k < 16; ++k) {
        colours[k] = packShifted(p, r[k], g[k], b[k]);
    }
}

// The shaded colours of at least texels first..last of the span's column, into the same places
// of colours: sixteen at a time when the screen packs by shifts, the last sixteen ending on
// `last`, else one by one through SDL. The shade is never negative; from 255 all is black.
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

// ---- Helpers: strips ------------------------------------------------------------------------

// A column of the strip being painted, its texels shaded once from about the first shown on.
struct StripColumn {
    WallSpan span;
    Uint32 colours[wallTextureHeight];
};

// The running sum strays from the product by far less than a texel row, so a row of margin on
// either side covers every texel the column shows. A repeat of its left neighbour (sameWall)
// copies that one's colours.
static void prepareColumn(StripColumn& column, const StripColumn* sameWall,
                          const ColourPacking& packing) {
    const WallSpan& span = column.span;
    const int first = std::clamp(int(span.v) - 1, 0, wallTextureHeight - 1);
    const int last =
        std::clamp(int(span.v + span.rows * span.vStep) + 1, first, wallTextureHeight - 1);
    if (sameWall) {
        std::copy(sameWall->colours + first, sameWall->colours + last + 1, column.colours + first);
    } else {
        shadeTexels(span, packing, first, last, column.colours);
    }
}

// Rows y0..y1 of the strip, straight onto the screen. Where every column paints the rows need
// no tests; elsewhere a column paints where its wall runs. The running sum stays below 258,
// the texture's height, by far more than its rounding: its last row is one step short of it.
// The window system reads the screen between passes, so rows are asked for ahead: the stores
// waited on its reads (docs/PERFORMANCE.md has the figures).
template <int Bytes, bool EveryColumn>
static void paintRows(StripColumn* columns, int left, int y0, int y1) {
    double v[stripColumns];
    double step[stripColumns];
    for (int j = 0; j < stripColumns; ++j) {
        v[j] = columns[j].span.v;
        step[j] = columns[j].span.vStep;
    }
    for (int y = y0; y < y1; ++y) {
        Uint8* row = rowStart(screen, y) + Bytes * left;
        if (y + prefetchRows < viewRows) {
            __builtin_prefetch(rowStart(screen, y + prefetchRows) + Bytes * left, 1);
        }
#pragma GCC unroll 16
        for (int j = 0; j < stripColumns; ++j) {
            const WallSpan& span = columns[j].span;
            if (EveryColumn || (y >= span.first && y < span.first + span.rows)) {
                storePixel<Bytes>(row + Bytes * j, columns[j].colours[std::ptrdiff_t(v[j])]);
                v[j] = v[j] + step[j];
            }
        }
    }
    for (int j = 0; j < stripColumns; ++j) {
        columns[j].span.v = v[j];
    }
}

// The rows every column of a run of columns paints: none (first == end) where walls do not meet.
struct RowRange {
    int first = 0, end = 0; // [first, end)
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

// Row by row across a strip: a column's rows lie a pitch apart and crowd into a few cache sets,
// while a strip's row at 32 bits is one cache line. Each column still adds its step once a row,
// in order. A plain column loop with the same shading takes half as long again: keep the strips
// (docs/PERFORMANCE.md).
template <int Bytes> static void paintStrip(StripColumn* columns, const RowRange& full, int left) {
    int first = viewRows;
    int end = 0;
    for (int j = 0; j < stripColumns; ++j) {
        first = std::min(first, columns[j].span.first);
        end = std::max(end, columns[j].span.first + columns[j].span.rows);
    }
    paintRows<Bytes, false>(columns, left, first, full.first);
    paintRows<Bytes, true>(columns, left, full.first, full.end);
    paintRows<Bytes, false>(columns, left, full.end, end);
}

// ---- Drawing --------------------------------------------------------------------------------

// The image's cyan pixels leave the screen as it was. Rows the walls paint in every column of a
// band are not laid, which pays; narrower bands cost more, as SDL copies row by row
// (docs/PERFORMANCE.md).
void drawBackground(const WallSpan* spans) {
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

void drawWalls(const WallSpan* spans) {
    const ColourPacking packing = describePixels(screen->format).packing;
    SDL_LockSurface(screen);
    forBytesPerPixel(screen->format->BytesPerPixel, [&](auto bytes) {
        StripColumn columns[stripColumns];
        for (int left = 0; left < viewColumns; left += stripColumns) {
            for (int j = 0; j < stripColumns; ++j) {
                columns[j].span = spans[left + j];
                const bool repeat = j > 0 && columns[j].span.repeatsLeft;
                prepareColumn(columns[j], repeat ? &columns[j - 1] : nullptr, packing);
            }
            paintStrip<bytes()>(columns, rowsEveryColumnPaints(spans + left, stripColumns), left);
        }
    });
    SDL_UnlockSurface(screen);
}
