#include "world/raycast.h"
#include "world_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace {

using worldtest::buildEmptyGrid;
using worldtest::buildOpenField;
using worldtest::cell;
using worldtest::placePlayer;

const double pi = 3.14159265358979323846;

void expectHit(double x, double y, int side) {
    EXPECT_DOUBLE_EQ(rayHitX, x);
    EXPECT_DOUBLE_EQ(rayHitY, y);
    EXPECT_EQ(rayHitSide, side);
}

// Walls entered towards growing X report the face itself; towards smaller X, the last
// sub-unit column of the cell before the face.
TEST(RayCaster, RaysAlongTheAxesStopAtTheOuterWall) {
    buildOpenField();
    placePlayer(5.37, 7.61);
    castRay(0.0);
    expectHit(34.0, 7.61, 1);
    castRay(pi);
    expectHit(0.99, 7.61, 1);
    castRay(-pi / 2);
    expectHit(5.37, 0.99, 0);
    castRay(pi / 2);
    expectHit(5.37, 14.0, 0);
}

TEST(RayCaster, StopsAtTheFirstWallCellOnTheWay) {
    buildOpenField();
    cell(9, 7) = 1;
    placePlayer(5.37, 7.61);
    castRay(0.0);
    expectHit(9.0, 7.61, 1);
    cell(3, 7) = 1;
    castRay(pi);
    expectHit(3.99, 7.61, 1);
}

// From a start inside a wall cell the walk takes no step: the hit is the player's own
// sub-unit square and the side stays as the previous ray left it.
TEST(RayCaster, AStartInsideAWallTakesNoStepAndKeepsTheSide) {
    buildOpenField();
    cell(4, 7) = 1;
    placePlayer(5.37, 7.61);
    castRay(0.0);
    ASSERT_EQ(rayHitSide, 1);
    placePlayer(4.567, 7.5);
    castRay(pi / 3);
    expectHit(4.56, 7.5, 1);

    placePlayer(5.37, 7.61);
    castRay(-pi / 2);
    ASSERT_EQ(rayHitSide, 0);
    placePlayer(4.567, 7.5);
    castRay(pi / 3);
    expectHit(4.56, 7.5, 0);
}

// A player on a sub-unit corner looking down and to the left: the first error term is
// exactly 0, and the X step wins, so the ray enters (4, 7), not (5, 6).
TEST(RayCaster, AnExactCornerIsPassedAlongXFirst) {
    buildEmptyGrid();
    cell(4, 7) = 1;
    cell(5, 6) = 1;
    placePlayer(5.0, 7.0);
    castRay(-3 * pi / 4);
    expectHit(4.99, 7.0, 1);
}

// The game's walk keeps the cell under the ray as it goes instead of dividing per step;
// that must not change a single bit of any hit, nor the side carried between rays.
TEST(RayCaster, MatchesThePlainWalkEverywhere) {
    std::mt19937 random(4242);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::srand(seed);
        generateMaze();
        for (int trial = 0; trial < 4000; ++trial) {
            int x = 0, y = 0;
            do {
                x = 1 + int(unit(random) * (mazeWidth - 2));
                y = 1 + int(unit(random) * (mazeHeight - 2));
            } while (cell(x, y) != 0);
            // Also exact sub-unit corners and axis-aligned rays, where ties and zero
            // deltas happen.
            const bool onCorner = trial % 5 == 0;
            const double px = onCorner ? x + int(unit(random) * 100) / 100.0 : x + unit(random);
            const double py = onCorner ? y + int(unit(random) * 100) / 100.0 : y + unit(random);
            const double angle =
                trial % 7 == 0 ? (trial % 4) * pi / 2 - pi : (unit(random) - 0.5) * 4 * pi;
            placePlayer(px, py);
            const uint8_t before = rayHitSide;
            const worldtest::RayHit expected = worldtest::referenceRay(angle, before);
            castRay(angle);
            ASSERT_EQ(rayHitX, expected.x) << px << "," << py << " at " << angle;
            ASSERT_EQ(rayHitY, expected.y) << px << "," << py << " at " << angle;
            ASSERT_EQ(rayHitSide, expected.side) << px << "," << py << " at " << angle;
            // In a generated maze every ray ends in a wall cell inside the grid.
            ASSERT_NE(cell(int(rayHitX), int(rayHitY)), 0);
        }
    }
}

} // namespace
