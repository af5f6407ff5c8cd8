#include "app/input.h"
#include "app/pixels.h"
#include "sdl_test_support.h"
#include "world/assets.h"
#include "world/collision.h"
#include "world/raycast.h"
#include "world/view.h"
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using worldtest::buildOpenField;
using worldtest::cell;
using worldtest::placePlayer;

struct RGB {
    int r, g, b;
    bool operator==(const RGB& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const RGB& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& out, const RGB& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const RGB marker = {10, 200, 30}; // what the screen held before the pass

class WorldViewTest : public SdlScreenTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        openScreen(GetParam());
        backgroundSurface = nullptr;
    }
    void TearDown() override {
        if (backgroundSurface) {
            SDL_FreeSurface(backgroundSurface);
            backgroundSurface = nullptr;
        }
        SdlScreenTest::TearDown();
    }
};

// A colour as this display shows it.
RGB shown(RGB c) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(SDL_MapRGB(screen->format, Uint8(c.r), Uint8(c.g), Uint8(c.b)), screen->format, &r,
               &g, &b);
    return {r, g, b};
}

RGB at(int x, int y) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(readPixel(screen, x, y), screen->format, &r, &g, &b);
    return {r, g, b};
}

void fillScreen(RGB c) {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, Uint8(c.r), Uint8(c.g), Uint8(c.b)));
}

void paintTexture(RGB c) {
    for (int n = 0; n < wallTextureWidth * wallTextureHeight; ++n) {
        wallTexture.red[n] = Uint8(c.r);
        wallTexture.green[n] = Uint8(c.g);
        wallTexture.blue[n] = Uint8(c.b);
    }
}

// Draws one pass over the marker, with the player standing where the test put it.
void drawPassAt(double x, double y, double angle) {
    placePlayer(x, y, angle);
    fillScreen(marker);
    runWorldFrame();
}

// ---------------------------------------------------------------------------------------------
// The first pass
// ---------------------------------------------------------------------------------------------

TEST_P(WorldViewTest, TheFirstPassOnlyGeneratesTheMaze) {
    std::srand(3);
    placePlayer(1.5, 1.5);
    keyStates[119] = Held;
    fillScreen(marker);
    runWorldFrame();
    EXPECT_EQ(mazeReady, 1);
    EXPECT_EQ(playerX, 1.5);
    EXPECT_EQ(playerY, 1.5);
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 640; x += 7) {
            ASSERT_EQ(at(x, y), shown(marker)) << x << "," << y;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Wall columns
// ---------------------------------------------------------------------------------------------

// Facing the outer wall at X = 34 (heading 90 looks along +X): the columns just right of
// the centre hit it head-on at (34, 7.5).
TEST_P(WorldViewTest, AWallOneCellAwayIsFourHundredRowsTallAndShadedBy30) {
    buildOpenField();
    paintTexture({200, 100, 50});
    drawPassAt(33.0, 7.5, 90.0);
    for (int k : {320, 321, 322}) {
        EXPECT_EQ(at(k, 39), shown(marker)) << k;
        EXPECT_EQ(at(k, 40), shown({170, 70, 20})) << k;
        EXPECT_EQ(at(k, 240), shown({170, 70, 20})) << k;
        EXPECT_EQ(at(k, 439), shown({170, 70, 20})) << k;
        EXPECT_EQ(at(k, 440), shown(marker)) << k;
    }
}

TEST_P(WorldViewTest, ANearWallIsCutAtRowOneAndRowZeroKeepsTheBackground) {
    buildOpenField();
    paintTexture({200, 100, 50});
    drawPassAt(33.5, 7.5, 90.0); // 0.5 cells: 800 rows tall
    for (int k : {320, 321, 322}) {
        EXPECT_EQ(at(k, 0), shown(marker)) << k;
        EXPECT_EQ(at(k, 1), shown({185, 85, 35})) << k;
        EXPECT_EQ(at(k, 479), shown({185, 85, 35})) << k;
    }
}

// Each cell of distance takes 30 from every channel: from 8.5 cells a white wall is black.
TEST_P(WorldViewTest, WallsDarkenWithDistanceToBlackFromEightAndAHalfCells) {
    buildOpenField();
    paintTexture({255, 255, 255});
    struct Case {
        double x;
        int value;
    };
    for (Case c :
         {Case{26.0, 15}, Case{25.75, 8}, Case{25.515625, 1}, Case{25.5, 0}, Case{1.5, 0}}) {
        drawPassAt(c.x, 7.5, 90.0);
        EXPECT_EQ(at(321, 240), shown({c.value, c.value, c.value})) << c.x;
    }
}

// A player standing on the very point the ray reports (possible only inside a wall) must
// not divide by zero: the column is filled from row 1 at full light.
TEST_P(WorldViewTest, AHitOnThePlayersOwnPointFillsTheColumn) {
    worldtest::buildEmptyGrid();
    cell(4, 7) = 1;
    paintTexture({90, 91, 92});
    drawPassAt(4.65, 7.5, 33.0);
    castRay(1.0);
    ASSERT_EQ(rayHitX, playerX);
    ASSERT_EQ(rayHitY, playerY);
    for (int k : {0, 319, 639}) {
        EXPECT_EQ(at(k, 0), shown(marker)) << k;
        EXPECT_EQ(at(k, 1), shown({90, 91, 92})) << k;
        EXPECT_EQ(at(k, 479), shown({90, 91, 92})) << k;
    }
}

// ---------------------------------------------------------------------------------------------
// Minimap
// ---------------------------------------------------------------------------------------------

TEST_P(WorldViewTest, TheMinimapShowsOpenCellsWhiteAndTheDotRed) {
    std::srand(11);
    placePlayer(1.5, 1.5);
    runWorldFrame();  // generates
    cell(33, 13) = 2; // anything but 0 is wall
    fillScreen(marker);
    runWorldFrame();
    const RGB white = shown({255, 255, 255}), black = shown({0, 0, 0}), red = shown({255, 0, 0});
    for (int y = 0; y < 15 * 6; ++y) {
        for (int x = 0; x < 35 * 6; ++x) {
            const int sx = 420 + x, sy = 370 + y;
            const bool inDot = sx >= 427 && sx <= 430 && sy >= 377 && sy <= 380;
            const RGB expected = inDot ? red : cell(x / 6, y / 6) == 0 ? white : black;
            ASSERT_EQ(at(sx, sy), expected) << sx << "," << sy;
        }
    }
    EXPECT_EQ(at(433, 375), shown({0, 0, 0})); // (2, 0): border
    EXPECT_NE(at(420 + 6 * 33 + 3, 370 + 6 * 13 + 3), white);

    // At Y 1.15, against the wall above the start, the dot covers rows 374 to 377.
    drawPassAt(1.5, 1.15, 0.0);
    EXPECT_EQ(at(427, 374), red);
    EXPECT_EQ(at(430, 377), red);
    EXPECT_EQ(at(427, 378), white);
}

// ---------------------------------------------------------------------------------------------
// The plain reading, pixel by pixel
// ---------------------------------------------------------------------------------------------

// The world view exactly as described: one SDL_MapRGB and one writePixel per wall pixel,
// the background blitted with its key, the minimap as 525 filled squares.
void referenceFrame() {
    SDL_BlitSurface(backgroundSurface, nullptr, screen, nullptr);
    double rayAngle = (playerAngle - 90) * 0.0174532925 - 0.75;
    uint8_t side = rayHitSide;
    for (int k = 0; k < 640; ++k) {
        rayAngle = rayAngle + 0.00234375;
        const worldtest::RayHit hit = worldtest::referenceRay(rayAngle, side);
        side = hit.side;
        const double dist = std::sqrt((playerX - hit.x) * (playerX - hit.x) +
                                      (playerY - hit.y) * (playerY - hit.y));
        const int shade = int(30 * dist);
        const double height = 400 / dist;
        const double vStep = 258 / height;
        int top = int(240 - height / 2);
        const double along = side == 0 ? hit.x : hit.y;
        const int u = int((along - std::floor(along)) * 400);
        double v = 0;
        while (top < 1) {
            top = top + 1;
            v = v + vStep;
        }
        const int rows = int(height);
        const int limit = 480 - top;
        for (int i = 0; i < rows && i < limit; ++i) {
            const int t = int(v);
            const int n = u * 258 + t;
            auto channel = [&](const uint8_t* plane) {
                const int value = plane[n] - shade;
                return Uint8(value <= 0 ? 0 : value >= 255 ? 255 : value);
            };
            const Uint32 colour = SDL_MapRGB(screen->format, channel(wallTexture.red),
                                             channel(wallTexture.green), channel(wallTexture.blue));
            writePixel(screen, k, top + i, colour);
            v = v + vStep;
        }
    }
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 35; ++x) {
            SDL_Rect r = {Sint16(420 + 6 * x), Sint16(370 + 6 * y), 6, 6};
            SDL_FillRect(screen, &r,
                         cell(x, y) == 0 ? SDL_MapRGB(screen->format, 255, 255, 255)
                                         : SDL_MapRGB(screen->format, 0, 0, 0));
        }
    }
    SDL_Rect dot = {Sint16(420 - int(2 - 6 * playerX)), Sint16(370 - int(2 - 6 * playerY)), 4, 4};
    SDL_FillRect(screen, &dot, SDL_MapRGB(screen->format, 255, 0, 0));
}

std::vector<Uint32> grab() {
    std::vector<Uint32> pixels;
    pixels.reserve(640 * 480);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            pixels.push_back(readPixel(screen, x, y));
        }
    }
    return pixels;
}

TEST_P(WorldViewTest, EveryPixelMatchesThePlainReading) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int n = 0; n < wallTextureWidth * wallTextureHeight; ++n) {
        wallTexture.red[n] = Uint8(byte(random));
        wallTexture.green[n] = Uint8(byte(random));
        wallTexture.blue[n] = Uint8(byte(random));
    }
    backgroundSurface = makeSurface(640, 480, GetParam());
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool hole = (x / 40 + y / 40) % 3 == 0;
            writePixel(backgroundSurface, x, y,
                       hole ? SDL_MapRGB(backgroundSurface->format, 0, 255, 255)
                            : SDL_MapRGB(backgroundSurface->format, Uint8(x), Uint8(y), 77));
        }
    }
    SDL_SetColorKey(backgroundSurface, SDL_SRCCOLORKEY,
                    SDL_MapRGB(backgroundSurface->format, 0, 255, 255));

    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (unsigned seed : {1u, 2u, 3u}) {
        std::srand(seed);
        generateMaze();
        for (int frame = 0; frame < 30; ++frame) {
            int x = 0, y = 0;
            do {
                x = 1 + int(unit(random) * 33);
                y = 1 + int(unit(random) * 13);
            } while (cell(x, y) != 0);
            // Half the frames hug a wall, where the columns are taller than the screen.
            const double edge = frame % 2 ? 0.15 + unit(random) * 0.05 : unit(random);
            const double px = frame % 4 < 2 ? x + edge : x + 1 - edge;
            const double py = y + unit(random);
            const double angle = (unit(random) - 0.5) * 2000;
            drawPassAt(px, py, angle);
            const std::vector<Uint32> game = grab();

            fillScreen(marker);
            referenceFrame();
            const std::vector<Uint32> plain = grab();
            for (size_t i = 0; i < game.size(); ++i) {
                ASSERT_EQ(game[i], plain[i]) << "pixel " << i % 640 << "," << i / 640 << " at "
                                             << playerX << "," << playerY << " angle " << angle;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldViewTest, ::testing::Values(16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bpp";
                         });

} // namespace
