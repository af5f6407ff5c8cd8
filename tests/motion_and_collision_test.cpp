#include "app/input.h"
#include "overlay/overlay.h"
#include "world/collision.h"
#include "world/view.h"
#include "sdl_test_support.h"
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using worldtest::buildEmptyGrid;
using worldtest::cell;
using worldtest::placePlayer;

const double step = 0.025;
const double diagonal = step * std::sqrt(0.5);

// ---------------------------------------------------------------------------------------------
// Motion
// ---------------------------------------------------------------------------------------------

struct Keys {
    bool forward, back, left, right;
};

// Holds each group down by its letter or its arrow, as Pressed or Held: all count as down.
void holdKeys(const Keys& keys, bool useArrows) {
    for (KeyState& state : keyStates) {
        state = Up;
    }
    const KeyState down = useArrows ? Held : Pressed;
    keyStates[useArrows ? 273 : 119] = keys.forward ? down : Up;
    keyStates[useArrows ? 274 : 115] = keys.back ? down : Up;
    keyStates[useArrows ? 276 : 97] = keys.left ? down : Up;
    keyStates[useArrows ? 275 : 100] = keys.right ? down : Up;
}

// At angle 0 the view looks towards smaller Y, so forward is -Y and right is +X.
TEST(PlayerMotion, KeysStepOneFortiethOfACellInEightDirectionsAndOppositesCancel) {
    struct Row {
        Keys keys;
        double dx, dy;
    };
    const Row table[] = {
        {{true, false, false, false}, 0, -step},
        {{true, false, false, true}, diagonal, -diagonal},
        {{true, false, true, false}, -diagonal, -diagonal},
        {{true, false, true, true}, 0, 0},
        {{true, true, false, false}, 0, 0},
        {{true, true, true, false}, 0, 0},
        {{true, true, false, true}, 0, 0},
        {{true, true, true, true}, 0, 0},
        {{false, true, false, false}, 0, step},
        {{false, true, false, true}, diagonal, diagonal},
        {{false, true, true, false}, -diagonal, diagonal},
        {{false, true, true, true}, 0, 0},
        {{false, false, true, false}, -step, 0},
        {{false, false, true, true}, 0, 0},
        {{false, false, false, true}, step, 0},
        {{false, false, false, false}, 0, 0},
    };
    for (bool useArrows : {false, true}) {
        for (const Row& row : table) {
            placePlayer(10.5, 5.5);
            holdKeys(row.keys, useArrows);
            movePlayer();
            const auto& k = row.keys;
            const testing::Message keys = testing::Message() << "F" << k.forward << " B" << k.back
                                                             << " L" << k.left << " R" << k.right;
            EXPECT_NEAR(playerX, 10.5 + row.dx, 1e-9) << keys;
            EXPECT_NEAR(playerY, 5.5 + row.dy, 1e-9) << keys;
            EXPECT_EQ(playerAngle, 0.0);
        }
    }
}

// Forward follows the heading as turned in the same pass, and the heading is never
// wrapped: from 5 turns plus 86.8 degrees, a pointer at the right edge turns to 90, where
// the view looks along +X.
TEST(PlayerMotion, TurnsFirstThenStepsAlongTheUnwrappedHeading) {
    placePlayer(10.5, 5.5, 360.0 * 5 + 86.8);
    cursorDrawn = true;
    pointer.x = 640;
    holdKeys({true, false, false, false}, false);
    movePlayer();
    EXPECT_NEAR(playerX, 10.5 + step, 1e-8); // 0.0174532925 is a hair short of pi / 180
    EXPECT_NEAR(playerY, 5.5, 1e-8);
    EXPECT_DOUBLE_EQ(playerAngle, 1890.0);
}

TEST(PlayerMotion, ThePointerTurnsOnlyWhileTheCursorIsDrawnAndTheRightButtonIsUp) {
    holdKeys({false, false, false, false}, false);
    placePlayer(10.5, 5.5, 0.0);
    cursorDrawn = true;
    pointer.x = 640;
    movePlayer();
    EXPECT_DOUBLE_EQ(playerAngle, 3.2);
    pointer.x = 0;
    movePlayer();
    movePlayer();
    EXPECT_DOUBLE_EQ(playerAngle, -3.2);
    pointer.x = 320;
    movePlayer();
    EXPECT_DOUBLE_EQ(playerAngle, -3.2);

    pointer.x = 500;
    for (KeyState right : {Pressed, Held}) {
        mouseButtonStates[3] = right;
        movePlayer();
        EXPECT_DOUBLE_EQ(playerAngle, -3.2);
    }
    mouseButtonStates[3] = Up;
    cursorDrawn = false;
    movePlayer();
    EXPECT_DOUBLE_EQ(playerAngle, -3.2);
    EXPECT_EQ(playerX, 10.5);
    EXPECT_EQ(playerY, 5.5);
}

// The overlay draws its cursor from its second pass on, so with the pointer at the right
// edge from the start, the first world pass (which only generates the maze) and the second
// do not turn; the third does.
class PlayerMotionInTheWorld : public SdlScreenTest {};

TEST_F(PlayerMotionInTheWorld, MouseTurningStartsInTheThirdWorldPass) {
    openScreen(32);
    std::srand(5);
    placePlayer(1.5, 1.5, 0.0);
    pointer.x = 640;
    const bool cursorDrawnAfterOverlayPass[] = {false, true, true};
    const double angleAfterWorldPass[] = {0.0, 0.0, 3.2};
    for (int pass = 0; pass < 3; ++pass) {
        runWorldFrame();
        EXPECT_DOUBLE_EQ(playerAngle, angleAfterWorldPass[pass]) << "world pass " << pass + 1;
        cursorDrawn = cursorDrawnAfterOverlayPass[pass];
    }
}

// ---------------------------------------------------------------------------------------------
// Collision
// ---------------------------------------------------------------------------------------------

void expectPlayerAt(double x, double y) {
    EXPECT_NEAR(playerX, x, 1e-12);
    EXPECT_NEAR(playerY, y, 1e-12);
}

TEST(WallCollision, AFlatFaceStopsThePlayerARadiusAway) {
    buildEmptyGrid();
    cell(4, 7) = 1;
    placePlayer(5.1, 7.5);
    resolveWallCollision();
    expectPlayerAt(5.15, 7.5);

    const double x = playerX, y = playerY;
    resolveWallCollision();
    EXPECT_EQ(playerX, x);
    EXPECT_EQ(playerY, y);
}

TEST(WallCollision, AnOuterCornerPushesAlongTheLineThroughTheCorner) {
    buildEmptyGrid();
    cell(4, 7) = 1;
    placePlayer(5.05, 8.05);
    resolveWallCollision();
    expectPlayerAt(5 + 0.15 * std::cos(M_PI / 4), 8 + 0.15 * std::sin(M_PI / 4));
    EXPECT_NEAR(playerX, 5.106066, 1e-6);
}

// (4, 7) pushes first, by growing X index; then (5, 6) sees the moved centre.
TEST(WallCollision, AnInnerCornerPushesWallByWallInTheWindowsOrder) {
    buildEmptyGrid();
    cell(4, 7) = 1;
    cell(5, 6) = 1;
    placePlayer(5.05, 7.05);
    resolveWallCollision();
    expectPlayerAt(5.15, 7.15);
}

// Measured from the cell's centre, a deep centre is pushed but not freed.
TEST(WallCollision, ACentreInsideAWallIsMeasuredFromTheCellsCentre) {
    buildEmptyGrid();
    cell(4, 7) = 1;
    placePlayer(4.55, 7.5);
    resolveWallCollision();
    expectPlayerAt(4.65, 7.5);

    placePlayer(4.8, 7.5);
    resolveWallCollision();
    EXPECT_EQ(playerX, 4.8);
    EXPECT_EQ(playerY, 7.5);
}

// A centre exactly on a face is at distance 0 from it: atan2(0, 0) is 0, so the push goes
// towards growing X, here into the wall.
TEST(WallCollision, ACentreExactlyOnAFaceIsPushedTowardsGrowingX) {
    buildEmptyGrid();
    cell(4, 7) = 1;
    placePlayer(4.0, 7.5);
    resolveWallCollision();
    expectPlayerAt(4.15, 7.5);
}

TEST(WallCollision, TheWindowIsCutToTheGridAtTheStart) {
    buildEmptyGrid();
    cell(0, 0) = cell(2, 2) = 1;
    placePlayer(1.5, 1.5);
    resolveWallCollision();
    expectPlayerAt(1.5, 1.5);
    placePlayer(1.05, 1.05); // 0.05 from the corner of (0, 0) at (1, 1)
    resolveWallCollision();
    expectPlayerAt(1 + 0.15 * std::cos(M_PI / 4), 1 + 0.15 * std::sin(M_PI / 4));
}

} // namespace
