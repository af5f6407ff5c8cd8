#include "app/input.h"
#include "overlay/overlay.h"
#include "sdl_test_support.h"
#include "world/collision.h"
#include "world/raycast.h"
#include "world/view.h"
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>

namespace {

using worldtest::cell;

const int movementKeys[] = {119, 273, 115, 274, 97, 276, 100, 275};

// A player who mostly walks in one of the eight directions for a while, turning a little,
// and now and then mashes keys and swings the pointer anywhere.
struct Masher {
    std::mt19937 random;
    int passesLeft = 0;

    explicit Masher(unsigned seed) : random(seed) {}

    void releaseAll() {
        for (int key : movementKeys) {
            keyStates[key] = Up;
        }
    }

    void nextPass() {
        if (passesLeft-- > 0) {
            return;
        }
        passesLeft = int(random() % 60);
        releaseAll();
        mouseButtonStates[3] = random() % 6 == 0 ? Held : Up;
        pointer.y = int(random() % 481);
        if (random() % 5 == 0) {
            for (int key : movementKeys) {
                const unsigned roll = random() % 8;
                keyStates[key] = roll < 5 ? Up : roll < 7 ? Held : Pressed;
            }
            pointer.x = int(random() % 641);
            return;
        }
        const int forwardOrBack = int(random() % 3); // none, forward, back
        const int leftOrRight = int(random() % 3);   // none, left, right
        const bool arrows = random() % 2 == 0;
        if (forwardOrBack > 0) {
            keyStates[movementKeys[(forwardOrBack - 1) * 2 + arrows]] = Held;
        }
        if (leftOrRight > 0) {
            keyStates[movementKeys[4 + (leftOrRight - 1) * 2 + arrows]] = Held;
        }
        pointer.x = 300 + int(random() % 41);
    }
};

// The player must always end a pass in an open cell with finite coordinates, and the
// centre ray must stop in a wall cell inside the grid.
void expectSoundWorld(long pass) {
    ASSERT_TRUE(std::isfinite(playerX) && std::isfinite(playerY) && std::isfinite(playerAngle))
        << "pass " << pass;
    ASSERT_TRUE(playerX > 0 && playerX < mazeWidth && playerY > 0 && playerY < mazeHeight)
        << "pass " << pass << " at " << playerX << "," << playerY;
    ASSERT_EQ(cell(int(playerX), int(playerY)), 0)
        << "pass " << pass << " at " << playerX << "," << playerY;
    ASSERT_TRUE(rayHitX >= 0 && rayHitX < mazeWidth && rayHitY >= 0 && rayHitY < mazeHeight)
        << "pass " << pass;
    ASSERT_NE(cell(int(rayHitX), int(rayHitY)), 0) << "pass " << pass;
}

// 100,000 passes of motion, collision and the centre ray over five mazes. Run under the
// sanitizers this also shows that no ray reads outside the grid.
TEST(WorldSoak, ThePlayerNeverLeavesTheOpenCells) {
    cursorDrawn = true;
    long pass = 0;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::srand(seed);
        generateMaze();
        worldtest::placePlayer(1.5, 1.5);
        Masher masher(seed);
        std::set<int> visited;
        for (int i = 0; i < 20000; ++i, ++pass) {
            if (i % 1000 == 0) { // start again from a random room
                worldtest::placePlayer(1.5 + 2 * (masher.random() % 17),
                                       1.5 + 2 * (masher.random() % 7), playerAngle);
            }
            masher.nextPass();
            movePlayer();
            resolveWallCollision();
            castRay((playerAngle - 90) * 0.0174532925);
            expectSoundWorld(pass);
            visited.insert(int(playerX) * mazeHeight + int(playerY));
        }
        EXPECT_GT(visited.size(), 50u) << "the walk must get around, seed " << seed;
    }
}

// The whole pass, every column drawn, at each depth.
class WorldSoakFull : public SdlScreenTest, public ::testing::WithParamInterface<int> {};

TEST_P(WorldSoakFull, FullPassesStaySound) {
    openScreen(GetParam());
    cursorDrawn = true;
    std::srand(unsigned(GetParam()));
    worldtest::placePlayer(1.5, 1.5);
    runWorldFrame(); // generates
    Masher masher(7);
    for (long pass = 0; pass < 600; ++pass) {
        masher.nextPass();
        runWorldFrame();
        expectSoundWorld(pass);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldSoakFull, ::testing::Values(16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bpp";
                         });

} // namespace
