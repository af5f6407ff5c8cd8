// Checks the pictures under Media/ against what the game expects of them:
// sizes, transparency, the font layout, the button tiles, the cursor's hot
// spot and the clear areas of the overlays. Runs from the repository root.

#include "app/pixels.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface load(const std::string& path) {
    Surface s(IMG_Load(path.c_str()));
    EXPECT_NE(s, nullptr) << path << ": " << IMG_GetError();
    return s;
}

struct Rgba {
    Uint8 r, g, b, a;
};

Rgba pixel(SDL_Surface* s, int x, int y) {
    Rgba c;
    SDL_GetRGBA(readPixel(s, x, y), s->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

bool is_cyan(Rgba c) {
    return c.r == 0 && c.g == 255 && c.b == 255;
}

bool has_alpha(SDL_Surface* s) {
    return s->format->Amask != 0;
}

// Counts pixels with alpha > 0 in a rectangle.
int ink(SDL_Surface* s, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            n += pixel(s, x, y).a > 0;
    return n;
}

// Counts pixels that are not the cyan colour key in a rectangle.
int non_cyan(SDL_Surface* s, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            n += !is_cyan(pixel(s, x, y));
    return n;
}

} // namespace

TEST(Media, WallAndBackgroundAreOpaque) {
    Surface wall = load("Media/Game/wall.png");
    Surface bg = load("Media/Game/background.png");
    ASSERT_TRUE(wall && bg);
    EXPECT_EQ(wall->w, 400);
    EXPECT_EQ(wall->h, 258);
    EXPECT_EQ(bg->w, 640);
    EXPECT_EQ(bg->h, 480);
    for (SDL_Surface* s : {wall.get(), bg.get()}) {
        EXPECT_TRUE(!has_alpha(s) || ink(s, 0, 0, s->w, s->h) == s->w * s->h);
    }
    EXPECT_EQ(non_cyan(bg.get(), 0, 0, 640, 480), 640 * 480);
    EXPECT_EQ(non_cyan(wall.get(), 0, 0, 400, 258), 400 * 258);
}

TEST(Media, FontCellsHoldTheirGlyphs) {
    Surface font = load("Media/Canopy/Font.png");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->w, 1425);
    EXPECT_EQ(font->h, 21);
    ASSERT_TRUE(has_alpha(font.get()));
    EXPECT_EQ(ink(font.get(), 0, 0, 15, 21), 0) << "space must be blank";
    for (int i = 1; i < 95; ++i) {
        int x0 = 15 * i;
        EXPECT_GT(ink(font.get(), x0, 0, 15, 21), 0) << "no ink for '" << char(32 + i) << "'";
        // The pen advances 11 px: ink stays in the cell's first 14 columns.
        EXPECT_EQ(ink(font.get(), x0 + 14, 0, 1, 21), 0) << "'" << char(32 + i) << "' too wide";
    }
}

TEST(Media, ButtonTiles) {
    Surface b = load("Media/Canopy/Button.png");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->w, 189);
    EXPECT_EQ(b->h, 42);
    ASSERT_TRUE(has_alpha(b.get()));
    int differ = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 189; ++x) {
            Rgba n = pixel(b.get(), x, y), h = pixel(b.get(), x, y + 21);
            differ += n.r != h.r || n.g != h.g || n.b != h.b || n.a != h.a;
        }
    EXPECT_GT(differ, 200) << "highlighted row must look different";
    for (int row = 0; row < 2; ++row) {
        int y = row * 21;
        // Outer 6 px of the corners stay clear: TL, BL, TR, BR.
        EXPECT_EQ(ink(b.get(), 0, y, 6, 21) + ink(b.get(), 0, y, 21, 6), 0);
        EXPECT_EQ(ink(b.get(), 21, y, 6, 21) + ink(b.get(), 21, y + 15, 21, 6), 0);
        EXPECT_EQ(ink(b.get(), 42 + 15, y, 6, 21) + ink(b.get(), 42, y, 21, 6), 0);
        EXPECT_EQ(ink(b.get(), 63 + 15, y, 6, 21) + ink(b.get(), 63, y + 15, 21, 6), 0);
        // Top and bottom edges repeat across x, side edges and centre down
        // the 15 rows the middle band shows, so the run has no seams.
        int seams = 0;
        for (int t : {4, 6})
            for (int yy = 0; yy < 21; ++yy)
                for (int x = 1; x < 21; ++x)
                    seams +=
                        pixel(b.get(), 21 * t + x, y + yy).a != pixel(b.get(), 21 * t, y + yy).a;
        for (int t : {5, 7, 8})
            for (int yy = 1; yy < 15; ++yy)
                for (int x = 0; x < 21; ++x)
                    seams +=
                        pixel(b.get(), 21 * t + x, y + yy).a != pixel(b.get(), 21 * t + x, y).a;
        EXPECT_EQ(seams, 0) << "row " << row;
        EXPECT_GT(ink(b.get(), 21 * 8, y, 21, 21), 0) << "centre tile must be filled";
    }
}

TEST(Media, CursorPointsAtFrameCentre) {
    Surface c = load("Media/Canopy/Cursor.png");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->w, 1536);
    EXPECT_EQ(c->h, 96);
    ASSERT_TRUE(has_alpha(c.get()));
    const int f3 = 3 * 96;
    EXPECT_GT(int(pixel(c.get(), f3 + 48, 48).a), 0) << "hot spot must be inked";
    int arrow = ink(c.get(), f3 + 48, 48, 24, 30);
    EXPECT_GT(arrow, 100);
    EXPECT_EQ(ink(c.get(), f3, 0, 96, 96), arrow) << "pointer ink lies down-right of the tip";
    for (int f = 0; f < 16; ++f)
        EXPECT_GT(ink(c.get(), f * 96, 0, 96, 96), 100) << "frame " << f << " is empty";
}

TEST(Media, OverlaysLeaveTheViewClear) {
    Surface border = load("Media/Canopy/Border.png");
    ASSERT_TRUE(border);
    EXPECT_EQ(border->w, 640);
    EXPECT_EQ(border->h, 480);
    // The minimap and the middle of the screen show through.
    EXPECT_EQ(non_cyan(border.get(), 420, 370, 210, 90), 0);
    EXPECT_EQ(non_cyan(border.get(), 20, 20, 600, 440), 0);
    EXPECT_GT(non_cyan(border.get(), 0, 0, 640, 4), 600) << "frame along the top";

    Surface bars = load("Media/Canopy/TopBottomBorder.png");
    ASSERT_TRUE(bars);
    EXPECT_EQ(bars->w, 640);
    EXPECT_EQ(bars->h, 131);
    // Solid where the clock (top bar) and the credit line (bottom bar) go.
    EXPECT_EQ(non_cyan(bars.get(), 400, 88, 221, 41), 221 * 41);
    EXPECT_EQ(non_cyan(bars.get(), 20, 23, 281, 21), 281 * 21);
    if (has_alpha(bars.get())) {
        EXPECT_EQ(ink(bars.get(), 0, 0, 640, 131), 640 * 131);
    }
}
