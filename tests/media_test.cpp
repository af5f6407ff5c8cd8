// The pictures under Media/ against what the game reads of them: sizes, transparency, the
// font's cells, the button tiles, the cursor's hot spot and the overlays' clear areas.

#include "app/pixels.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface load(const char* path, int w, int h) {
    Surface s(IMG_Load(path), &SDL_FreeSurface);
    EXPECT_NE(s, nullptr) << path << ": " << IMG_GetError();
    if (s) {
        EXPECT_EQ(s->w, w) << path;
        EXPECT_EQ(s->h, h) << path;
    }
    return s;
}

SDL_Color rgba(SDL_Surface* s, int x, int y) {
    SDL_Color c = {};
    SDL_GetRGBA(readPixel(s, x, y), s->format, &c.r, &c.g, &c.b, &c.unused);
    return c;
}

// Counts the pixels of a rectangle that show: alpha above 0 on alpha sheets, anything but
// the cyan key on keyed images.
int shown(SDL_Surface* s, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            const SDL_Color c = rgba(s, x, y);
            const bool cyan = c.r == 0 && c.g == 255 && c.b == 255;
            n += s->format->Amask ? c.unused > 0 : !cyan;
        }
    }
    return n;
}

TEST(Media, WallAndBackgroundAreOpaqueWithNoKeyColour) {
    Surface images[] = {load("Media/Game/wall.png", 400, 258),
                        load("Media/Game/background.png", 640, 480)};
    for (Surface& s : images) {
        ASSERT_TRUE(s);
        EXPECT_EQ(shown(s.get(), 0, 0, s->w, s->h), s->w * s->h);
    }
}

TEST(Media, FontCellsHoldTheirGlyphsWithinThePenAdvance) {
    Surface font = load("Media/Canopy/Font.png", 1425, 21);
    ASSERT_TRUE(font && font->format->Amask);
    EXPECT_EQ(shown(font.get(), 0, 0, 15, 21), 0) << "the space is blank";
    for (int i = 1; i < 95; ++i) {
        EXPECT_GT(shown(font.get(), 15 * i, 0, 15, 21), 0) << char(32 + i);
        EXPECT_EQ(shown(font.get(), 15 * i + 14, 0, 1, 21), 0) << char(32 + i) << " too wide";
    }
}

TEST(Media, ButtonRowsDifferAndCornersKeepAClearMargin) {
    Surface b = load("Media/Canopy/Button.png", 189, 42);
    ASSERT_TRUE(b && b->format->Amask);
    int differ = 0;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 189; ++x) {
            differ += readPixel(b.get(), x, y) != readPixel(b.get(), x, y + 21);
        }
    }
    EXPECT_GT(differ, 200) << "the highlighted row looks different";
    for (int y : {0, 21}) {
        // Top-left, bottom-left, top-right, bottom-right: the outer 6 pixels stay clear.
        EXPECT_EQ(shown(b.get(), 0, y, 6, 21) + shown(b.get(), 0, y, 21, 6), 0);
        EXPECT_EQ(shown(b.get(), 21, y, 6, 21) + shown(b.get(), 21, y + 15, 21, 6), 0);
        EXPECT_EQ(shown(b.get(), 57, y, 6, 21) + shown(b.get(), 42, y, 21, 6), 0);
        EXPECT_EQ(shown(b.get(), 78, y, 6, 21) + shown(b.get(), 63, y + 15, 21, 6), 0);
        EXPECT_GT(shown(b.get(), 168, y, 21, 21), 0) << "the centre tile is filled";
    }
}

TEST(Media, CursorFrameThreePointsFromItsCentre) {
    Surface c = load("Media/Canopy/Cursor.png", 1536, 96);
    ASSERT_TRUE(c && c->format->Amask);
    EXPECT_GT(rgba(c.get(), 288 + 48, 48).unused, 0) << "the hot spot is inked";
    const int arrow = shown(c.get(), 288 + 48, 48, 24, 30);
    EXPECT_GT(arrow, 100);
    EXPECT_EQ(shown(c.get(), 288, 0, 96, 96), arrow) << "the pointer lies down-right of its tip";
}

TEST(Media, BorderAndBarsLeaveTheViewClearAndCarryTheirTexts) {
    Surface border = load("Media/Canopy/Border.png", 640, 480);
    ASSERT_TRUE(border);
    EXPECT_EQ(shown(border.get(), 420, 370, 210, 90), 0) << "the minimap shows through";
    EXPECT_EQ(shown(border.get(), 20, 20, 600, 440), 0) << "the view shows through";
    EXPECT_GT(shown(border.get(), 0, 0, 640, 4), 600) << "a frame along the top";

    Surface bars = load("Media/Canopy/TopBottomBorder.png", 640, 131);
    ASSERT_TRUE(bars);
    EXPECT_EQ(shown(bars.get(), 400, 88, 221, 41), 221 * 41) << "solid under the clock";
    EXPECT_EQ(shown(bars.get(), 20, 23, 281, 21), 281 * 21) << "solid under the credit line";
}

} // namespace
