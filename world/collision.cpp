// Pushing the player's circle out of the wall cells around it.
#include "world/collision.h"

#include "world/maze.h"
#include "world/player.h"

#include <algorithm>
#include <cmath>

// ---- State ----------------------------------------------------------------------------------

static constexpr double playerRadius = 0.15; // cells
static constexpr double halfCell = 0.5;

// ---- Helpers --------------------------------------------------------------------------------

struct Point {
    double x;
    double y;
};

// In shifted coordinates cell (i, j) is the square of half-side 0.5 around (i, j). A centre
// strictly inside the square is measured from the square's centre; any other from the
// square's nearest point, which is the centre itself when it lies on an edge.
static Point referencePoint(Point p, int i, int j) {
    const bool inside =
        i - halfCell < p.x && p.x < i + halfCell && j - halfCell < p.y && p.y < j + halfCell;
    if (inside) {
        return {double(i), double(j)};
    }
    return {std::clamp(p.x, i - halfCell, i + halfCell),
            std::clamp(p.y, j - halfCell, j + halfCell)};
}

// Moves p to exactly one radius from q, straight away from it. When p is on q, atan2(0, 0)
// is 0 and the push goes towards growing X.
static void pushAway(Point& p, Point q) {
    const double d = std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y));
    if (d < playerRadius) {
        const double a = std::atan2(p.y - q.y, p.x - q.x);
        p.x = q.x + playerRadius * std::cos(a);
        p.y = q.y + playerRadius * std::sin(a);
    }
}

// ---- Collision ------------------------------------------------------------------------------

// The window, four by four cells around the player cut to the grid, follows the centre as it
// is pushed: later cells see the moved position, so in an inner corner the walls push in turn.
void resolveWallCollision() {
    Point p = {playerX - halfCell, playerY - halfCell};
    for (int i = std::max(int(p.x) - 2, 0); i < std::min(int(p.x) + 2, mazeWidth); ++i) {
        for (int j = std::max(int(p.y) - 2, 0); j < std::min(int(p.y) + 2, mazeHeight); ++j) {
            if (mazeCells[mazeIndex(i, j)] != 0) {
                pushAway(p, referencePoint(p, i, j));
            }
        }
    }
    playerX = p.x + halfCell;
    playerY = p.y + halfCell;
}
