// The maze world: the carving, the rays, motion and collision, the images, and what a world
// pass draws at 8, 16, 24 and 32 bits against the plain reading.
#include "app/image.h"
#include "app/input.h"
#include "support.h"
#include "world/assets.h"
#include "world/collision.h"
#include "world/maze.h"
#include "world/player.h"
#include "world/raycast.h"
#include "world/view.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

namespace {

bool isOpen(int x, int y) {
    return mazeCells[mazeIndex(x, y)] == 0;
}

// Only the outer wall and the given wall cells, marked as generated.
void buildGrid(std::initializer_list<std::pair<int, int>> walls) {
    for (int x = 0; x < mazeWidth; ++x) {
        for (int y = 0; y < mazeHeight; ++y) {
            mazeCells[mazeIndex(x, y)] = x % (mazeWidth - 1) == 0 || y % (mazeHeight - 1) == 0;
        }
    }
    for (const auto& [x, y] : walls) {
        mazeCells[mazeIndex(x, y)] = 1;
    }
    mazeReady = 1;
}

void generateFrom(unsigned seed) {
    std::srand(seed);
    generateMaze();
}

void placePlayer(double x, double y, double angle) {
    playerX = x;
    playerY = y;
    playerAngle = angle;
}

// ---------------------------------------------------------------------------------------------
// The maze
// ---------------------------------------------------------------------------------------------

// Whatever rand() draws, and whatever the grid held, the carving leaves a perfect maze: the
// rooms (both coordinates odd) open, the border and the pillars between rooms walls, and every
// room reached from room (1, 1) along exactly one path, through one opened wall fewer than
// there are rooms. (Which maze a seed gives is in the frames' hashes: the minimap shows it.)
TEST(Maze, EverySeedCarvesAPerfectMaze) {
    for (unsigned seed : {1u, 2u, 3u, 2026u, 4000000000u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        for (int i = 0; i < mazeWidth * mazeHeight; ++i) {
            mazeCells[i] = i % 9 - 3;
        }
        generateFrom(seed);
        int rooms = 0, open = 0, misplaced = 0;
        for (int x = 0; x < mazeWidth; ++x) {
            for (int y = 0; y < mazeHeight; ++y) {
                const bool room = x % 2 == 1 && y % 2 == 1;
                const bool fixed = x % (mazeWidth - 1) == 0 || y % (mazeHeight - 1) == 0 ||
                                   (x % 2 == 0 && y % 2 == 0);
                rooms += room;
                open += isOpen(x, y);
                misplaced += room != isOpen(x, y) && (room || fixed);
            }
        }
        std::vector<bool> seen(mazeWidth * mazeHeight);
        std::vector<std::pair<int, int>> next = {{1, 1}};
        seen[mazeIndex(1, 1)] = true;
        int reached = 0;
        while (!next.empty()) {
            const auto [x, y] = next.back();
            next.pop_back();
            ++reached;
            for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                if (isOpen(nx, ny) && !seen[mazeIndex(nx, ny)]) {
                    seen[mazeIndex(nx, ny)] = true;
                    next.push_back({nx, ny});
                }
            }
        }
        EXPECT_EQ(misplaced, 0);
        EXPECT_EQ(open, 2 * rooms - 1);
        EXPECT_EQ(reached, open);
    }
}

// ---------------------------------------------------------------------------------------------
// Rays, motion and collision
// ---------------------------------------------------------------------------------------------

// W, S, A, D (as pressed) or the arrows (as held) in a world pass, from a heading of five
// unwrapped turns: forward is -Y, right +X, 0.025 cells a pass, diagonals too; opposite keys
// cancel.
TEST(PlayerMotion, KeysWalkOneFixedStep) {
    const double s = 0.025;
    const double d = s * std::sqrt(0.5);
    struct Walk {
        const char* what;
        std::initializer_list<int> keys;
        KeyState how;
        double dx, dy;
    };
    const Walk walks[] = {
        {"no key stands still", {}, Pressed, 0, 0},
        {"W walks forward", {SDLK_w}, Pressed, 0, -s},
        {"S walks back", {SDLK_s}, Pressed, 0, s},
        {"A steps left", {SDLK_a}, Pressed, -s, 0},
        {"D steps right", {SDLK_d}, Pressed, s, 0},
        {"Up walks forward", {SDLK_UP}, Held, 0, -s},
        {"Down walks back", {SDLK_DOWN}, Held, 0, s},
        {"Left steps left", {SDLK_LEFT}, Held, -s, 0},
        {"Right steps right", {SDLK_RIGHT}, Held, s, 0},
        {"W and A go diagonally", {SDLK_w, SDLK_a}, Pressed, -d, -d},
        {"W and D go diagonally", {SDLK_w, SDLK_d}, Pressed, d, -d},
        {"S and A go diagonally", {SDLK_s, SDLK_a}, Pressed, -d, d},
        {"S and D go diagonally", {SDLK_s, SDLK_d}, Pressed, d, d},
        {"W and S cancel", {SDLK_w, SDLK_s}, Pressed, 0, 0},
        {"A and D cancel whatever W says", {SDLK_a, SDLK_d, SDLK_w}, Pressed, 0, 0},
    };
    buildGrid({});
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.what);
        std::fill(std::begin(keyStates), std::end(keyStates), Up);
        for (int key : walk.keys) {
            keyStates[key] = walk.how;
        }
        placePlayer(10.5, 5.5, 1800);
        EXPECT_TRUE(updateWorld());
        EXPECT_NEAR(playerX, 10.5 + walk.dx, 1e-8);
        EXPECT_NEAR(playerY, 5.5 + walk.dy, 1e-8);
    }
}

// The pointer turns 0.01 degree per pixel off column 320, before the step, only while the
// cursor is drawn and the right button is up.
TEST(PlayerMotion, ThePointerTurnsTheView) {
    struct Turn {
        const char* what;
        bool cursor;
        KeyState rightButton;
        int pointerX;
        double degrees;
    };
    const Turn turns[] = {
        {"the centre column holds still", true, Up, 320, 0},
        {"the right edge turns right", true, Up, 640, 3.2},
        {"the right button held holds the view", true, Held, 640, 0},
        {"before the cursor is drawn nothing turns", false, Up, 640, 0},
    };
    for (const Turn& turn : turns) {
        SCOPED_TRACE(turn.what);
        cursorDrawn = turn.cursor;
        mouseButtonStates[SDL_BUTTON_RIGHT] = turn.rightButton;
        pointer.x = turn.pointerX;
        placePlayer(10.5, 5.5, 1800);
        movePlayer();
        EXPECT_DOUBLE_EQ(playerAngle, 1800 + turn.degrees);
    }
}

// The player, radius 0.15, is pushed wall by wall in the window's order (growing X, then
// Y), each wall seeing the moved centre. A centre inside a wall is measured from the cell's
// centre, so a deep one stays; one exactly on an edge (atan2(0, 0) = 0) goes towards +X, so
// at (5.05, 7.0) (4, 7) pushes it onto the edge of (5, 6), which pushes it on again; and
// at (4.7, 7.0), on the edge of (4, 7) itself, it goes the same way.
TEST(WallCollision, WorkedExamples) {
    const double corner = 0.15 * std::sqrt(0.5);
    struct Case {
        std::initializer_list<std::pair<int, int>> walls;
        double x, y, toX, toY;
    };
    // clang-format off
    const Case cases[] = {
        {{{4, 7}}, 5.1, 7.5, 5.15, 7.5},                {{{4, 7}}, 5.15, 7.5, 5.15, 7.5},
        {{{4, 7}}, 5.05, 8.05, 5 + corner, 8 + corner}, {{{4, 7}, {5, 6}}, 5.05, 7.05, 5.15, 7.15},
        {{{4, 7}, {5, 6}}, 5.05, 7.0, 5.3, 7.0},        {{{4, 7}}, 4.55, 7.5, 4.65, 7.5},
        {{{4, 7}}, 4.8, 7.5, 4.8, 7.5},                 {{{4, 7}}, 4.0, 7.5, 4.15, 7.5},
        {{}, 1.05, 1.05, 1.15, 1.15},                   {{{4, 7}}, 4.7, 7.0, 4.85, 7.0}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.x << ", " << c.y);
        buildGrid(c.walls);
        placePlayer(c.x, c.y, 0);
        resolveWallCollision();
        EXPECT_NEAR(playerX, c.toX, 1e-12);
        EXPECT_NEAR(playerY, c.toY, 1e-12);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

class WorldViewTest : public ScreenTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        openScreen(GetParam());
        backgroundSurface = nullptr;
    }
};

Uint32 rgb(int r, int g, int b) {
    return SDL_MapRGB(screen->format, Uint8(r), Uint8(g), Uint8(b));
}

const int marker[3] = {10, 200, 30}; // what the screen held before the pass

std::vector<Uint8> screenBytes() {
    const Uint8* pixels = static_cast<const Uint8*>(screen->pixels);
    return std::vector<Uint8>(pixels, pixels + screen->pitch * 480);
}

void drawPassAt(double x, double y, double angle) {
    placePlayer(x, y, angle);
    SDL_FillRect(screen, nullptr, rgb(marker[0], marker[1], marker[2]));
    runWorldFrame();
}

// A 100 x 50 wall and a 10 x 10 background: the wall's texels as the display shows them,
// plain grey (rim 96, inside 128) where it has no pixels, its name on stderr (a wall only one
// row short is named too); the player starts at (1.5, 1.5); and beside the background the view
// lies on dark grey.
TEST_P(WorldViewTest, TheWallIsReadThroughTheDisplaysFormat) {
    enterScratchFolder();
    writeImage("Media/Game/wall.png", 400, 257, [](int, int) { return 0x808080; });
    testing::internal::CaptureStderr();
    loadWorldAssets(); // and no background yet, so none to free
    EXPECT_NE(testing::internal::GetCapturedStderr().find("is 400 x 257"), std::string::npos)
        << "a wall one row short is named too";
    writeImage("Media/Game/wall.png", 100, 50, [](int c, int r) { return c << 16 | r << 8 | 99; });
    writeImage("Media/Game/background.png", 10, 10, [](int, int) { return 0xFFFFFF; });
    testing::internal::CaptureStderr();
    loadWorldAssets();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Game/wall.png"), std::string::npos);
    for (int row : {0, 49}) { // the file's first and last
        Uint8 red = 0, green = 0, blue = 0;
        SDL_GetRGB(rgb(5, row, 99), screen->format, &red, &green, &blue);
        EXPECT_EQ(wallTexture.red[5 * wallTextureHeight + row], red);
        EXPECT_EQ(wallTexture.green[5 * wallTextureHeight + row], green);
    }
    EXPECT_EQ(wallTexture.green[100 * wallTextureHeight + 5], 128) << "right of the file";
    EXPECT_EQ(wallTexture.green[5 * wallTextureHeight + 50], 128) << "below the file";
    EXPECT_EQ(wallTexture.green[0 * wallTextureHeight + 100], 96) << "the left rim";
    EXPECT_EQ(wallTexture.green[200 * wallTextureHeight + 0], 96) << "the top rim";
    EXPECT_EQ(wallTexture.green[399 * wallTextureHeight + 5], 96) << "the right rim";
    EXPECT_EQ(wallTexture.green[5 * wallTextureHeight + 257], 96) << "the bottom rim";
    EXPECT_EQ(playerY, 1.5) << "the start";
    buildGrid({});
    runWorldFrame();
    EXPECT_EQ(readPixel(screen, 0, 0), rgb(255, 255, 255)) << "the background, from its corner";
    EXPECT_EQ(readPixel(screen, 320, 0), rgb(40, 44, 52)) << "beside it: plain dark grey";
}

// From inside a wall the ray can stop on the player's own point, or a hair from it. Such a
// column is filled at once from row 1 at full light with the texture's middle row.
TEST_P(WorldViewTest, AHitAtOrBesideThePlayersPointFillsTheColumn) {
    buildGrid({{4, 7}});
    for (int n = 0; n < wallTextureWidth * wallTextureHeight; ++n) {
        wallTexture.red[n] = Uint8(n % wallTextureHeight);
        wallTexture.green[n] = 91;
        wallTexture.blue[n] = 0;
    }
    for (double x : {4.65, 4.65001}) {
        drawPassAt(x, 7.5, 33.0);
        EXPECT_EQ(readPixel(screen, 319, 1), rgb(129, 91, 0));
        EXPECT_EQ(readPixel(screen, 319, 479), rgb(129, 91, 0));
    }
}

// The ray walk read plainly, dividing by 100 for the wall test before every step.
std::tuple<double, double, uint8_t> plainRay(double angle, uint8_t side) {
    const double x0 = playerX * 100;
    const double y0 = playerY * 100;
    const double x1 = std::cos(angle) * 3500 + x0;
    const double y1 = std::sin(angle) * 3500 + y0;
    const double dx = std::fabs(x1 - x0);
    const double dy = std::fabs(y1 - y0);
    int x = int(std::floor(x0));
    int y = int(std::floor(y0));
    int n = 1 + std::abs(int(std::floor(x1)) - x) + std::abs(int(std::floor(y1)) - y);
    double error = dx == 0 ? INFINITY : (x1 > x0 ? std::floor(x0) + 1 - x0 : x0 - x) * dy;
    error -= dy == 0 ? INFINITY : (y1 > y0 ? std::floor(y0) + 1 - y0 : y0 - y) * dx;
    for (; n > 0 && isOpen(x / 100, y / 100); --n) {
        if (error > 0) {
            y += y1 > y0 ? 1 : -1;
            error -= dx;
            side = 0;
        } else {
            x += x1 > x0 ? 1 : -1;
            error += dy;
            side = 1;
        }
    }
    return {x / 100.0, y / 100.0, side};
}

// A ray that meets no wall walks its whole 35 cells and stops one step past its last test,
// with the grid still around it (from (0.5, 0.5) at 0.4 radians it ends near (32.74, 14.13)).
TEST(RayCaster, ARayThatMeetsNoWallWalksItsWholeLength) {
    std::fill(std::begin(mazeCells), std::end(mazeCells), 0);
    placePlayer(0.5, 0.5, 0);
    castRay(0.4);
    const auto [x, y, side] = plainRay(0.4, rayHitSide);
    EXPECT_EQ(rayHitX, x);
    EXPECT_EQ(rayHitY, y);
    EXPECT_EQ(rayHitSide, side);
}

// Straight along X the ray never leaves its row of sub-units: it takes X steps only, up to the
// first wall ahead.
TEST(RayCaster, ARayAlongXStaysOnItsRow) {
    generateFrom(1);
    placePlayer(1.5, 1.5, 0);
    castRay(0.0);
    EXPECT_EQ(rayHitX, std::get<0>(plainRay(0.0, rayHitSide)));
    EXPECT_EQ(rayHitY, 1.5);
}

// The view read plainly: the keyed background, then per wall pixel one SDL_MapRGB and one
// writePixel, then the minimap as 525 squares and the dot.
void drawPlainView() {
    SDL_BlitSurface(backgroundSurface, nullptr, screen, nullptr);
    double rayAngle = (playerAngle - 90) * radiansPerDegree - halfFieldOfView;
    uint8_t side = rayHitSide;
    for (int k = 0; k < 640; ++k) {
        rayAngle = rayAngle + rayAngleStep;
        double hitX = 0;
        double hitY = 0;
        std::tie(hitX, hitY, side) = plainRay(rayAngle, side);
        const double dist =
            std::sqrt((playerX - hitX) * (playerX - hitX) + (playerY - hitY) * (playerY - hitY));
        const double height = 400 / dist;
        const double vStep = 258 / height;
        const double along = side == 0 ? hitX : hitY;
        const int u = int((along - std::floor(along)) * 400);
        int top = int(240 - height / 2);
        double v = 0;
        for (; top < 1; ++top) {
            v = v + vStep;
        }
        // The texture row is 0 to 257, even where the running sum ends a hair past the last.
        const auto shaded = [&](const uint8_t* plane) {
            return std::clamp(plane[u * 258 + std::min(int(v), 257)] - int(30 * dist), 0, 255);
        };
        for (int i = 0; i < int(height) && top + i < 480; ++i, v = v + vStep) {
            writePixel(
                screen, k, top + i,
                rgb(shaded(wallTexture.red), shaded(wallTexture.green), shaded(wallTexture.blue)));
        }
    }
    for (int x = 0; x < mazeWidth; ++x) {
        for (int y = 0; y < mazeHeight; ++y) {
            SDL_Rect r = {Sint16(420 + 6 * x), Sint16(370 + 6 * y), 6, 6};
            SDL_FillRect(screen, &r, isOpen(x, y) ? rgb(255, 255, 255) : rgb(0, 0, 0));
        }
    }
    SDL_Rect dot = {Sint16(420 - int(2 - 6 * playerX)), Sint16(370 - int(2 - 6 * playerY)), 4, 4};
    SDL_FillRect(screen, &dot, rgb(255, 0, 0));
}

// Random texture, a background keyed in two frames of three and unkeyed in the third,
// random places (half of them hugging a wall, where columns outgrow the screen, some on
// exact sub-unit corners) and headings: every pixel as the plain reading gives it.
TEST_P(WorldViewTest, EveryPixelMatchesThePlainReading) {
    std::mt19937 random(99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::generate_n(reinterpret_cast<uint8_t*>(&wallTexture), sizeof wallTexture,
                    [&] { return uint8_t(random()); });
    backgroundSurface = makeSurface(640, 480, GetParam());
    const Uint32 cyan = SDL_MapRGB(backgroundSurface->format, 0, 255, 255);
    SDL_FillRect(backgroundSurface, nullptr, SDL_MapRGB(backgroundSurface->format, 90, 60, 30));
    SDL_Rect hole = {100, 0, 300, 480};
    SDL_FillRect(backgroundSurface, &hole, cyan);
    for (int frame = 0; frame < 90; ++frame) {
        SDL_SetColorKey(backgroundSurface, frame % 3 ? SDL_SRCCOLORKEY : 0, cyan);
        if (frame % 30 == 0) {
            generateFrom(frame / 30 + 1);
        }
        int cx = 0;
        int cy = 0;
        do {
            cx = 1 + int(random() % 33);
            cy = 1 + int(random() % 13);
        } while (!isOpen(cx, cy));
        double x = cx + unit(random);
        double y = cy + unit(random);
        if (frame % 2) {
            x = cx + (frame % 4 < 2 ? 0.15 : 0.85) + (x - cx) * 0.05;
        }
        if (frame % 5 == 0) {
            x = std::floor(x * 100) / 100;
            y = std::floor(y * 100) / 100;
        }
        drawPassAt(x, y, (unit(random) - 0.5) * 2000);
        const std::vector<Uint8> game = screenBytes();
        SDL_FillRect(screen, nullptr, rgb(marker[0], marker[1], marker[2]));
        drawPlainView();
        const std::vector<Uint8> plain = screenBytes();
        const auto i = std::mismatch(game.begin(), game.end(), plain.begin()).first - game.begin();
        ASSERT_EQ(i, game.end() - game.begin())
            << "first wrong pixel in row " << i / screen->pitch << ", seen from " << x << ", " << y
            << " heading " << playerAngle;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldViewTest, ::testing::Values(8, 16, 24, 32),
                         testing::PrintToStringParamName());

} // namespace
