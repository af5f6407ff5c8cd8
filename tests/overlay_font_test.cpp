#include "overlay/font.h"
#include "overlay_test_support.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Tables and loading
// ---------------------------------------------------------------------------------------------

TEST_F(OverlayTest, TablesCutTheSheetsAndMissingArtLeavesNullSurfaces) {
    openScreen(32);
    loadOverlayAssets();
    EXPECT_NE(snapshotSurface, nullptr);
    EXPECT_NE(frostedSurface, nullptr);
    EXPECT_EQ(frostedSurface->format->BitsPerPixel, 32);
    EXPECT_EQ(frostedSurface->w, 640);
    EXPECT_EQ(frostedSurface->h, 480);

    EXPECT_EQ(glyphRects[94].x, 1410);
    EXPECT_EQ(glyphRects[94].w, 15);
    EXPECT_EQ(glyphRects[94].h, 21);
    EXPECT_EQ(buttonTiles[9 + 8].x, 168);
    EXPECT_EQ(buttonTiles[9 + 8].y, 21);
    EXPECT_EQ(buttonTiles[5].y, 0);
    EXPECT_EQ(cursorFrames[3].x, 288);
    EXPECT_EQ(cursorFrames[15].x, 1440);
    EXPECT_EQ(cursorFrames[15].h, 96);
}

TEST(GlyphIndex, PrintableBytesMapToTheirCellAndEveryOtherByteToTheSpace) {
    for (int c = 0; c < 256; ++c) {
        const int expected = c >= 32 && c <= 126 ? c - 32 : 0;
        EXPECT_EQ(glyphIndex(Uint8(c)), expected) << c;
    }
    EXPECT_EQ(glyphIndex('A'), 33);
    EXPECT_EQ(glyphIndex('~'), 94);
}

// ---------------------------------------------------------------------------------------------
// drawText
// ---------------------------------------------------------------------------------------------

// Font cells that say which cell and which of its columns a screen pixel came from.
class DrawTextTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        fontSurface = paintedSheet(1425, 21, [](int x, int y) {
            return Rgb{x / 15 + 1, (x % 15) * 10, y * 10};
        });
    }
    // The cell drawn at (x, y), or -1 where nothing was drawn.
    static int cellAt(int x, int y) { return rgbAt(screen, x, y).r - 1; }
    static int cellColumnAt(int x, int y) { return rgbAt(screen, x, y).g / 10; }

    // Each character shows 11 columns of its cell (the next covers the other 4), the last
    // all 15; nothing lies around the text.
    static void expectTextAt(int x0, int y, const std::string& text) {
        const int n = int(text.size());
        for (int i = 0; i < n; ++i) {
            const int shown = i == n - 1 ? 15 : 11;
            for (int k = 0; k < shown; ++k) {
                const int x = x0 + 11 * i + k;
                if (x < 0 || x >= 640) {
                    continue;
                }
                ASSERT_EQ(cellAt(x, y + 5), glyphIndex(Uint8(text[i]))) << text << " at " << x;
                ASSERT_EQ(cellColumnAt(x, y + 5), k) << text << " at " << x;
            }
        }
        if (x0 - 1 >= 0) {
            EXPECT_EQ(cellAt(x0 - 1, y + 5), -1) << text;
        }
        if (x0 + 11 * n + 4 < 640) {
            EXPECT_EQ(cellAt(x0 + 11 * n + 4, y + 5), -1) << text;
        }
        EXPECT_EQ(cellAt(x0 + 3, y - 1), -1) << text;
        EXPECT_EQ(cellAt(x0 + 3, y + 21), -1) << text;
    }
};

TEST_F(DrawTextTest, LeftAlignedTextStartsAtXWithAnElevenPixelAdvance) {
    drawText(20, 442, "Plint!", Left);
    expectTextAt(20, 442, "Plint!");
}

TEST_F(DrawTextTest, CentredTextRoundsAnOddAdvanceWidthsLeftEdgeUp) {
    drawText(320, 100, "Exit", Centre); // 44 wide: starts at 298
    expectTextAt(298, 100, "Exit");
    drawText(320, 200, "Resume game", Centre); // 121 wide: 260, not 259
    expectTextAt(260, 200, "Resume game");
}

TEST_F(DrawTextTest, RightAlignedTextEndsItsAdvanceAtX) {
    drawText(620, 18, "Sunday January 3rd 2010", Right);
    expectTextAt(367, 18, "Sunday January 3rd 2010");
    EXPECT_EQ(cellAt(623, 23), glyphIndex('0')); // the last cell reaches 623
    EXPECT_EQ(cellAt(624, 23), -1);
}

TEST_F(DrawTextTest, UnknownBytesDrawTheSpaceCellAndUnknownAlignmentsStartAtZero) {
    drawText(300, 50, "a\tb\x80\xff", Left);
    expectTextAt(300, 50, "a b  ");
    drawText(300, 100, "xy", 0);
    expectTextAt(0, 100, "xy");
    drawText(300, 150, "xy", 4);
    expectTextAt(0, 150, "xy");
}

TEST_F(DrawTextTest, GlyphsClippedAtAnEdgeDoNotMoveTheRest) {
    drawText(-16, 300, "abcdef", Left);
    expectTextAt(-16, 300, "abcdef");
    drawText(600, 350, "abcdef", Left);
    expectTextAt(600, 350, "abcdef");
    drawText(10, -12, "top", Left); // only the cells' lower rows show
    EXPECT_EQ(cellAt(12, 0), glyphIndex('t'));
    EXPECT_EQ(rgbAt(screen, 12, 0).b, 120);
}

TEST_F(DrawTextTest, AnEmptyTextDrawsNothing) {
    drawText(320, 240, "", Centre);
    for (int x = 300; x < 340; ++x) {
        EXPECT_EQ(cellAt(x, 245), -1);
    }
}

} // namespace
