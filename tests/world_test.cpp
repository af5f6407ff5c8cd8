// The maze world: the maze, the rays, motion and collision, the images, and what a world
// pass draws at 16, 24 and 32 bits.
#include "app/image.h"
#include "app/input.h"
#include "app/pixels.h"
#include "overlay/overlay.h"
#include "png_writer.h"
#include "sdl_test_support.h"
#include "world/assets.h"
#include "world/collision.h"
#include "world/maze.h"
#include "world/player.h"
#include "world/raycast.h"
#include "world/view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const double pi = 3.14159265358979323846;

int32_t& cell(int x, int y) {
    return mazeCells[x * mazeHeight + y];
}

// The outer wall and the given wall cells, marked as generated.
using Cells = std::vector<std::pair<int, int>>;

void buildGrid(const Cells& walls) {
    for (int i = 0; i < mazeWidth * mazeHeight; ++i) {
        mazeCells[i] =
            i / mazeHeight % (mazeWidth - 1) == 0 || i % mazeHeight % (mazeHeight - 1) == 0;
    }
    for (auto wall : walls) {
        cell(wall.first, wall.second) = 1;
    }
    mazeReady = 1;
}

void generateFrom(unsigned seed) {
    std::srand(seed);
    generateMaze();
}

void placePlayer(double x, double y, double angle = 0.0) {
    playerX = x, playerY = y, playerAngle = angle;
}

// A random point in a random open cell of the current maze.
template <typename Random> std::pair<double, double> randomOpenPoint(Random& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int x = 0, y = 0;
    do {
        x = 1 + int(unit(random) * 33), y = 1 + int(unit(random) * 13);
    } while (cell(x, y) != 0);
    return {x + unit(random), y + unit(random)};
}

// The ray walk read plainly, dividing by 100 for the wall test before every step: the hit
// and its side.
std::tuple<double, double, uint8_t> referenceRay(double angle, uint8_t side) {
    const double x0 = playerX * 100, y0 = playerY * 100;
    const double x1 = std::cos(angle) * 3500 + x0, y1 = std::sin(angle) * 3500 + y0;
    const double dx = std::fabs(x1 - x0), dy = std::fabs(y1 - y0);
    int x = int(std::floor(x0)), y = int(std::floor(y0));
    int n = 1 + std::abs(int(std::floor(x1)) - x) + std::abs(int(std::floor(y1)) - y);
    double error = dx == 0 ? INFINITY : (x1 > x0 ? std::floor(x0) + 1 - x0 : x0 - x) * dy;
    error -= dy == 0 ? INFINITY : (y1 > y0 ? std::floor(y0) + 1 - y0 : y0 - y) * dx;
    for (; n > 0 && mazeCells[x / 100 * 15 + y / 100] == 0; --n) {
        if (error > 0) {
            y += y1 > y0 ? 1 : -1, error -= dx, side = 0;
        } else {
            x += x1 > x0 ? 1 : -1, error += dy, side = 1;
        }
    }
    return {x / 100.0, y / 100.0, side};
}

// Over any leftovers, every seed carves a perfect maze: only 0 and 1, border and pillars
// (both coordinates even) wall, rooms (both odd) open, 118 inner walls opened, and the 237
// open cells joined by 236 links into one piece, so a tree. The seed alone decides it.
TEST(Maze, EverySeedCarvesAPerfectMazeAndTheSameOneAgain) {
    std::vector<int32_t> previous;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        for (int i = 0; i < mazeWidth * mazeHeight; ++i) {
            mazeCells[i] = i % 9 - 3;
        }
        mazeReady = 0;
        generateFrom(seed);
        ASSERT_EQ(mazeReady, 1);
        const std::vector<int32_t> maze(mazeCells, mazeCells + mazeWidth * mazeHeight);
        int open = 0, openInnerWalls = 0, links = 0;
        for (int x = 0; x < mazeWidth; ++x) {
            for (int y = 0; y < mazeHeight; ++y) {
                const int32_t c = cell(x, y);
                const int odd = x % 2 + y % 2; // 0 pillar, 1 inner wall, 2 room
                const bool border = x % (mazeWidth - 1) == 0 || y % (mazeHeight - 1) == 0;
                ASSERT_TRUE((c == 0 || c == 1) && (c == 1 || (!border && odd > 0)) &&
                            (c == 0 || odd < 2))
                    << seed << ": " << x << "," << y;
                open += c == 0;
                openInnerWalls += c == 0 && odd == 1;
                links += c == 0 ? (cell(x + 1, y) == 0) + (cell(x, y + 1) == 0) : 0;
            }
        }
        std::vector<bool> seen(maze.size()); // open cells reached from room (1, 1)
        const auto reach = [&](auto& self, int i) -> int {
            return maze[i] != 0 || seen[i]
                       ? 0
                       : (seen[i] = true) + self(self, i - 1) + self(self, i + 1) +
                             self(self, i - mazeHeight) + self(self, i + mazeHeight);
        };
        const int reached = reach(reach, mazeHeight + 1);
        EXPECT_TRUE(open == 237 && openInnerWalls == 118 && links == 236 && reached == 237)
            << seed << ": " << open << " " << openInnerWalls << " " << links << " " << reached;
        EXPECT_NE(maze, previous) << seed;
        generateFrom(seed); // over its own maze this time
        EXPECT_EQ(std::vector<int32_t>(mazeCells, mazeCells + maze.size()), maze) << seed;
        previous = maze;
    }
}

// Walls entered towards growing X report the face itself, towards smaller X the last
// sub-unit before it. A start inside a wall takes no step and keeps the previous side; on an
// exact sub-unit corner the X step wins, so the ray enters (4, 7), not (5, 6).
TEST(RayCaster, WorkedExamples) {
    const struct {
        Cells walls;
        double px, py, angle, x, y;
        int sideBefore, side;
    } table[] = {
        {{}, 5.37, 7.61, 0, 34.0, 7.61, 0, 1},
        {{}, 5.37, 7.61, pi, 0.99, 7.61, 0, 1},
        {{}, 5.37, 7.61, -pi / 2, 5.37, 0.99, 1, 0},
        {{{9, 7}}, 5.37, 7.61, 0, 9.0, 7.61, 0, 1},
        {{{4, 7}}, 4.567, 7.5, pi / 3, 4.56, 7.5, 1, 1},
        {{{4, 7}}, 4.567, 7.5, pi / 3, 4.56, 7.5, 0, 0},
        {{{4, 7}, {5, 6}}, 5.0, 7.0, -3 * pi / 4, 4.99, 7.0, 0, 1},
    };
    for (const auto& row : table) {
        buildGrid(row.walls);
        placePlayer(row.px, row.py);
        rayHitSide = uint8_t(row.sideBefore);
        castRay(row.angle);
        EXPECT_TRUE(std::fabs(rayHitX - row.x) < 1e-12 && std::fabs(rayHitY - row.y) < 1e-12 &&
                    rayHitSide == row.side)
            << row.px << "," << row.py << " at " << row.angle << ": " << rayHitX << "," << rayHitY;
    }
}

// The game keeps the cell under the ray instead of dividing per step; every hit and the side
// carried between rays must match the plain walk bit for bit, also from exact sub-unit
// corners and along the axes, and every ray must end in a wall cell.
TEST(RayCaster, MatchesThePlainWalkEverywhere) {
    std::mt19937 random(4242);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        generateFrom(seed);
        for (int trial = 0; trial < 4000; ++trial) {
            auto [px, py] = randomOpenPoint(random);
            if (trial % 5 == 0) { // on a sub-unit corner
                px = std::floor(px * 100) / 100, py = std::floor(py * 100) / 100;
            }
            const double angle = trial % 7 ? (unit(random) - 0.5) * 4 * pi : trial % 4 * pi / 2;
            placePlayer(px, py);
            const auto expected = referenceRay(angle, rayHitSide);
            castRay(angle);
            ASSERT_TRUE(std::make_tuple(rayHitX, rayHitY, rayHitSide) == expected &&
                        cell(int(rayHitX), int(rayHitY)) != 0)
                << px << "," << py << " at " << angle << ": " << rayHitX << "," << rayHitY;
        }
    }
}

// The key groups forward, back, left and right: W, S, A, D or the arrows.
const int letterKeys[] = {119, 115, 97, 100}, arrowKeys[] = {273, 274, 276, 275};

// From a heading of five unwrapped turns, forward is -Y and right +X. A step is 0.025 cells,
// diagonals included, by letters (as pressed) or arrows (as held); opposite groups stop the
// player. The pointer turns 0.01 degree per
// pixel off column 320, before the step, only while the cursor is drawn and the right
// button is up.
TEST(PlayerMotion, KeysAndPointer) {
    const double s = 0.025, d = s * std::sqrt(0.5), tx = 0.0013955366, ty = -0.0249610192;
    const struct {
        const char* keys;
        bool cursor;
        KeyState button;
        int pointerX;
        double turn, dx, dy;
    } table[] = {
        {"", true, Up, 320, 0, 0, 0},      {"F", true, Up, 320, 0, 0, -s},
        {"B", true, Up, 320, 0, 0, s},     {"L", true, Up, 320, 0, -s, 0},
        {"R", true, Up, 320, 0, s, 0},     {"FL", true, Up, 320, 0, -d, -d},
        {"FR", true, Up, 320, 0, d, -d},   {"BL", true, Up, 320, 0, -d, d},
        {"BR", true, Up, 320, 0, d, d},    {"FB", true, Up, 320, 0, 0, 0},
        {"LR", true, Up, 320, 0, 0, 0},    {"FLR", true, Up, 320, 0, 0, 0},
        {"FBL", true, Up, 320, 0, 0, 0},   {"FBLR", true, Up, 320, 0, 0, 0},
        {"", true, Up, 0, -3.2, 0, 0},     {"F", true, Up, 640, 3.2, tx, ty},
        {"", true, Pressed, 640, 0, 0, 0}, {"", true, Held, 0, 0, 0, 0},
        {"", false, Up, 640, 0, 0, 0},
    };
    for (bool arrows : {false, true}) {
        for (const auto& row : table) {
            placePlayer(10.5, 5.5, 1800);
            for (int g = 0; g < 4; ++g) {
                const bool down = std::strchr(row.keys, "FBLR"[g]) != nullptr;
                keyStates[letterKeys[g]] = down && !arrows ? Pressed : Up;
                keyStates[arrowKeys[g]] = down && arrows ? Held : Up;
            }
            cursorDrawn = row.cursor, mouseButtonStates[3] = row.button, pointer.x = row.pointerX;
            movePlayer();
            EXPECT_DOUBLE_EQ(playerAngle, 1800 + row.turn) << row.keys << " " << row.pointerX;
            EXPECT_NEAR(playerX, 10.5 + row.dx, 1e-8) << row.keys << arrows;
            EXPECT_NEAR(playerY, 5.5 + row.dy, 1e-8) << row.keys << arrows;
        }
    }
}

// The player, radius 0.15, is pushed wall by wall in the window's order (growing X, then
// Y), each wall seeing the moved centre. A centre inside a wall is measured from the cell's
// centre, so a deep one stays; one exactly on an edge (atan2(0, 0) = 0) goes towards +X, so
// at (5.05, 7.0) (4, 7) pushes it onto the edge of (5, 6), which pushes it on again.
TEST(WallCollision, WorkedExamples) {
    const double corner = 0.15 * std::sqrt(0.5);
    const struct {
        Cells walls;
        double x, y, toX, toY;
    } table[] = {
        {{{4, 7}}, 5.1, 7.5, 5.15, 7.5},
        {{{4, 7}}, 5.15, 7.5, 5.15, 7.5},
        {{{4, 7}}, 5.05, 8.05, 5 + corner, 8 + corner},
        {{{4, 7}, {5, 6}}, 5.05, 7.05, 5.15, 7.15},
        {{{4, 7}, {5, 6}}, 5.05, 7.0, 5.3, 7.0},
        {{{4, 7}}, 4.55, 7.5, 4.65, 7.5},
        {{{4, 7}}, 4.8, 7.5, 4.8, 7.5},
        {{{4, 7}}, 4.0, 7.5, 4.15, 7.5},
        {{}, 1.05, 1.05, 1.15, 1.15},
    };
    for (const auto& row : table) {
        buildGrid(row.walls);
        placePlayer(row.x, row.y);
        resolveWallCollision();
        EXPECT_NEAR(playerX, row.toX, 1e-12) << row.x << "," << row.y;
        EXPECT_NEAR(playerY, row.toY, 1e-12) << row.x << "," << row.y;
    }
}

// 100,000 passes of motion, collision and the centre ray over five mazes with random keys,
// buttons and pointer: the player always ends in an open cell, nothing turns NaN, and the
// ray stops in a wall cell inside the grid (under the sanitizers: never reading outside it).
TEST(WorldSoak, ThePlayerStaysInOpenCells) {
    std::mt19937 random(1);
    cursorDrawn = true;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        generateFrom(seed);
        for (int pass = 0; pass < 20000; ++pass) {
            if (pass % 1000 == 0) { // start again from a random room
                placePlayer(1.5 + 2 * (random() % 17), 1.5 + 2 * (random() % 7), playerAngle);
            }
            if (pass % 40 == 0) {
                for (int g = 0; g < 8; ++g) {
                    keyStates[(g < 4 ? letterKeys : arrowKeys)[g % 4]] =
                        random() % 4 ? Up : KeyState(1 + random() % 2);
                }
                pointer = {int(random() % 8 ? 300 + random() % 41 : random() % 641),
                           int(random() % 481)};
                mouseButtonStates[3] = random() % 6 ? Up : Held;
            }
            movePlayer();
            resolveWallCollision();
            castRay((playerAngle - 90) * 0.0174532925);
            ASSERT_TRUE(playerX > 0 && playerX < mazeWidth && playerY > 0 && playerY < mazeHeight &&
                        std::isfinite(playerAngle) && cell(int(playerX), int(playerY)) == 0 &&
                        rayHitX >= 0 && rayHitX < mazeWidth && rayHitY >= 0 &&
                        rayHitY < mazeHeight && cell(int(rayHitX), int(rayHitY)) != 0)
                << seed << ", pass " << pass << ": " << playerX << "," << playerY << " ray "
                << rayHitX << "," << rayHitY;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

class WorldViewTest : public SdlScreenTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        openScreen(GetParam());
        backgroundSurface = nullptr;
    }
};

Uint32 rgb(int r, int g, int b) {
    return SDL_MapRGB(screen->format, Uint8(r), Uint8(g), Uint8(b));
}

Uint32 at(int x, int y) {
    return readPixel(screen, x, y);
}

std::vector<Uint8> screenBytes() {
    const Uint8* pixels = static_cast<const Uint8*>(screen->pixels);
    return std::vector<Uint8>(pixels, pixels + screen->pitch * 480);
}

// One pass over a marker colour (what the screen held before), the player placed first.
void drawPassAt(double x, double y, double angle) {
    placePlayer(x, y, angle);
    SDL_FillRect(screen, nullptr, rgb(10, 200, 30));
    runWorldFrame();
}

// Writes Media/Game/<name> (none when w is 0) in a fresh folder, made the working directory;
// pixel (x, y) is colour(x, y) as 0xRRGGBB.
template <typename Colour> void writeImage(const char* name, int w, int h, Colour colour) {
    const std::string root = testpng::tempPath("world");
    for (const char* dir : {"", "/Media", "/Media/Game"}) {
        mkdir((root + dir).c_str(), 0700);
    }
    EXPECT_EQ(chdir(root.c_str()), 0);
    std::vector<uint8_t> rgb;
    for (int i = 0; i < w * h; ++i) {
        const Uint32 c = colour(i % w, i / w);
        rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
    unlink((std::string("Media/Game/") + name).c_str());
    EXPECT_TRUE(w == 0 || testpng::write(root + "/Media/Game/" + name, w, h, 3, rgb));
}

// The planes hold the file's colours as the display reproduces them, column-major; a missing
// or small wall is plain grey (rim 96) where it has no pixels, and stderr says why.
TEST_P(WorldViewTest, TheWallIsReadThroughTheDisplaysFormat) {
    const auto colour = [](int c, int r) {
        return Uint32(uint8_t(c * 7) << 16 | uint8_t(r * 3) << 8 | uint8_t(c + r));
    };
    for (int w : {410, 100, 0}) {
        const int h = w == 410 ? 262 : 50;
        writeImage("wall.png", w, h, colour);
        testing::internal::CaptureStderr();
        loadWorldAssets();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find("Media/Game/wall.png") == std::string::npos, w == 410) << said;
        EXPECT_TRUE(playerX == 1.5 && playerY == 1.5 && playerAngle == 0.0);
        for (int c : {0, 5, 99, 100, 399}) { // texels read, grey, and on the grey rim
            for (int r : {0, 5, 49, 50, 257}) {
                const Uint8 plain = c % 399 == 0 || r % 257 == 0 ? 96 : 128;
                Uint8 t[3] = {plain, plain, plain};
                if (c < w && r < h) {
                    const Uint32 e = colour(c, r);
                    SDL_GetRGB(rgb(e >> 16, e >> 8, e), screen->format, t, t + 1, t + 2);
                }
                const int n = c * wallTextureHeight + r;
                EXPECT_TRUE(wallTexture.red[n] == t[0] && wallTexture.green[n] == t[1] &&
                            wallTexture.blue[n] == t[2])
                    << w << ": " << c << "," << r;
            }
        }
    }
}

// The background keeps its cyan key only when some pixel holds it (at 16 bits a near cyan
// does); either way it must blit exactly as a keyed image does.
TEST_P(WorldViewTest, TheBackgroundBlitsAsAKeyedImage) {
    for (Uint32 odd : {0x405060u, 0x00FFFFu, 0x03FEFAu}) { // pixel (300, 100); no other is cyan
        writeImage("background.png", 640, 480, [&](int x, int y) {
            return x == 300 && y == 100 ? odd : Uint32((x | 64) % 256 << 16 | y % 256 << 8 | 77);
        });
        loadWorldAssets();
        SDL_Surface* keyed = loadImage("Media/Game/background.png");
        ASSERT_TRUE(backgroundSurface && keyed);
        EXPECT_EQ((backgroundSurface->flags & SDL_SRCCOLORKEY) != 0,
                  odd == 0x00FFFF || (odd == 0x03FEFA && GetParam() == 16))
            << odd;
        std::vector<Uint8> shown[2];
        for (SDL_Surface* image : {keyed, backgroundSurface}) {
            SDL_FillRect(screen, nullptr, rgb(40, 80, 120));
            SDL_BlitSurface(image, nullptr, screen, nullptr);
            shown[image == backgroundSurface] = screenBytes();
        }
        EXPECT_TRUE(shown[0] == shown[1]) << odd;
        SDL_FreeSurface(keyed);
        SDL_FreeSurface(backgroundSurface);
    }
}

// The overlay draws its cursor from its second pass, so the first world pass (which only
// carves the maze) and the second do not turn; the third does.
TEST_P(WorldViewTest, TurningStartsInTheThirdWorldPass) {
    std::srand(5);
    placePlayer(1.5, 1.5);
    pointer.x = 640;
    const double angleAfter[] = {0.0, 0.0, 3.2};
    for (int pass = 0; pass < 3; ++pass) {
        runWorldFrame();
        EXPECT_DOUBLE_EQ(playerAngle, angleAfter[pass]) << pass;
        cursorDrawn = pass >= 1;
    }
    EXPECT_EQ(mazeReady, 1);
}

// Heading 90 looks along +X at the outer wall X = 34. A white wall loses 30 per cell of
// distance: at one cell it fills rows 40 to 439, at half a cell it is cut at row 1 (row 0
// keeps the background), and from 8.5 cells it is black.
TEST_P(WorldViewTest, WallsScaleAndDarkenWithDistance) {
    buildGrid({});
    std::memset(&wallTexture, 255, sizeof wallTexture);
    const struct {
        double x;
        int value, top, bottom; // top 0: extent not checked
    } table[] = {{33.0, 225, 40, 439}, {33.5, 240, 1, 479}, {26.0, 15, 0, 0}, {25.75, 8, 0, 0},
                 {25.515625, 1, 0, 0}, {25.5, 0, 0, 0},     {1.5, 0, 0, 0}};
    for (const auto& row : table) {
        drawPassAt(row.x, 7.5, 90.0);
        const Uint32 grey = rgb(row.value, row.value, row.value), marker = rgb(10, 200, 30);
        EXPECT_EQ(at(321, 240), grey) << row.x;
        EXPECT_TRUE(row.top == 0 || (at(321, row.top - 1) == marker && at(321, row.top) == grey &&
                                     at(321, row.bottom) == grey &&
                                     (row.bottom == 479 || at(321, row.bottom + 1) == marker)))
            << row.x;
    }
}

// From inside a wall the ray can stop on the player's own point. That column is filled from
// row 1 at full light with the texture's middle row, not divided by zero.
TEST_P(WorldViewTest, AHitOnThePlayersOwnPointFillsTheColumn) {
    buildGrid({{4, 7}});
    for (int n = 0; n < wallTextureWidth * wallTextureHeight; ++n) {
        wallTexture.red[n] = Uint8(n % wallTextureHeight), wallTexture.green[n] = 91;
    }
    drawPassAt(4.65, 7.5, 33.0);
    castRay(1.0);
    ASSERT_TRUE(rayHitX == playerX && rayHitY == playerY);
    for (int k : {0, 319, 639}) {
        EXPECT_EQ(at(k, 0), rgb(10, 200, 30)) << k;
        EXPECT_TRUE(at(k, 1) == rgb(129, 91, 0) && at(k, 479) == rgb(129, 91, 0)) << k;
    }
}

// Cell (x, y) is the 6-pixel square at (420 + 6x, 370 + 6y), white only when it holds 0;
// the 4-pixel dot's corner truncates toward zero: 427, 377 at (1.5, 1.5), row 374 at Y 1.15.
TEST_P(WorldViewTest, TheMinimapShowsOpenCellsWhiteAndTheDotRed) {
    generateFrom(11);
    cell(33, 13) = 2; // a room, now anything but open
    drawPassAt(1.5, 1.5, 0.0);
    const Uint32 white = rgb(255, 255, 255), black = rgb(0, 0, 0), red = rgb(255, 0, 0);
    EXPECT_TRUE(at(420, 370) == black && at(425, 375) == black && at(618, 448) == black &&
                at(623, 453) == black && at(606, 448) == white && at(611, 453) == white);
    EXPECT_TRUE(at(427, 377) == red && at(430, 380) == red && at(426, 376) == white &&
                at(431, 380) == white && at(426, 381) == white);
    drawPassAt(1.5, 1.15, 0.0);
    EXPECT_TRUE(at(427, 374) == red && at(430, 377) == red && at(427, 378) == white);
}

// The view read plainly: the keyed background, then per wall pixel one SDL_MapRGB and one
// writePixel, then the minimap as 525 squares and the dot.
void referenceFrame() {
    SDL_BlitSurface(backgroundSurface, nullptr, screen, nullptr);
    double rayAngle = (playerAngle - 90) * 0.0174532925 - 0.75;
    uint8_t side = rayHitSide;
    for (int k = 0; k < 640; ++k) {
        rayAngle = rayAngle + 0.00234375;
        double hitX = 0, hitY = 0;
        std::tie(hitX, hitY, side) = referenceRay(rayAngle, side);
        const double dist =
            std::sqrt((playerX - hitX) * (playerX - hitX) + (playerY - hitY) * (playerY - hitY));
        const double height = 400 / dist, vStep = 258 / height;
        const double along = side == 0 ? hitX : hitY;
        const int u = int((along - std::floor(along)) * 400);
        int top = int(240 - height / 2);
        double v = 0;
        for (; top < 1; ++top) {
            v = v + vStep;
        }
        const auto shaded = [&](const uint8_t* plane) {
            return std::clamp(plane[u * 258 + int(v)] - int(30 * dist), 0, 255);
        };
        for (int i = 0; i < int(height) && top + i < 480; ++i, v = v + vStep) {
            writePixel(
                screen, k, top + i,
                rgb(shaded(wallTexture.red), shaded(wallTexture.green), shaded(wallTexture.blue)));
        }
    }
    for (int i = 0; i < mazeWidth * mazeHeight; ++i) {
        SDL_Rect r = {Sint16(420 + 6 * (i / 15)), Sint16(370 + 6 * (i % 15)), 6, 6};
        SDL_FillRect(screen, &r, mazeCells[i] == 0 ? rgb(255, 255, 255) : rgb(0, 0, 0));
    }
    SDL_Rect dot = {Sint16(420 - int(2 - 6 * playerX)), Sint16(370 - int(2 - 6 * playerY)), 4, 4};
    SDL_FillRect(screen, &dot, rgb(255, 0, 0));
}

// Random texture, a keyed background, random places (half of them hugging a wall, where
// columns outgrow the screen) and headings: every pixel as the plain reading gives it.
TEST_P(WorldViewTest, EveryPixelMatchesThePlainReading) {
    std::mt19937 random(99);
    std::generate_n(reinterpret_cast<uint8_t*>(&wallTexture), sizeof wallTexture,
                    [&] { return uint8_t(random()); });
    backgroundSurface = makeSurface(640, 480, GetParam());
    const Uint32 cyan = SDL_MapRGB(backgroundSurface->format, 0, 255, 255);
    SDL_FillRect(backgroundSurface, nullptr, SDL_MapRGB(backgroundSurface->format, 90, 60, 30));
    SDL_Rect hole = {100, 0, 300, 480}; // shows what lay under it
    SDL_FillRect(backgroundSurface, &hole, cyan);
    SDL_SetColorKey(backgroundSurface, SDL_SRCCOLORKEY, cyan);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int frame = 0; frame < 90; ++frame) {
        if (frame % 30 == 0) {
            generateFrom(frame / 30 + 1);
        }
        auto [x, y] = randomOpenPoint(random);
        if (frame % 2) { // hugging a wall, where columns outgrow the screen
            x = std::floor(x) + (frame % 4 < 2 ? 0.15 : 0.85) + (x - std::floor(x)) * 0.05;
        }
        drawPassAt(x, y, (unit(random) - 0.5) * 2000);
        const std::vector<Uint8> game = screenBytes();
        SDL_FillRect(screen, nullptr, rgb(10, 200, 30));
        referenceFrame();
        const std::vector<Uint8> plain = screenBytes();
        const auto i = std::mismatch(game.begin(), game.end(), plain.begin()).first - game.begin();
        ASSERT_EQ(i, game.end() - game.begin())
            << "row " << i / screen->pitch << " at " << x << "," << y << " heading " << playerAngle;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldViewTest, ::testing::Values(16, 24, 32),
                         testing::PrintToStringParamName());

} // namespace
