// Casting one ray across the maze's sub-unit lattice to the first wall cell.
#include "world/raycast.h"

#include "world/maze.h"
#include "world/player.h"

#include <cmath>
#include <limits>

// ---- State ----------------------------------------------------------------------------------

double rayHitX = 0.0;
double rayHitY = 0.0;
uint8_t rayHitSide = 0;

static constexpr double subUnitsPerCell = 100.0;
static constexpr double rayLength = 35.0; // cells: the maze's long side

// ---- Helpers --------------------------------------------------------------------------------

// The range of sub-unit coordinates that share one cell coordinate under C++'s truncating
// division by 100 (so cell 0 runs from -99 to 99). The walk moves one sub-unit at a time,
// so it only needs a division when it leaves the range.
struct CellSpan {
    int cell;
    int low;
    int high;
};

static CellSpan spanOf(int subUnit) {
    const int cell = subUnit / 100;
    const int low = cell > 0 ? 100 * cell : 100 * cell - 99;
    const int high = cell < 0 ? 100 * cell : 100 * cell + 99;
    return {cell, low, high};
}

static bool leftSpan(int subUnit, const CellSpan& span) {
    return subUnit < span.low || subUnit > span.high;
}

// ---- Casting --------------------------------------------------------------------------------

// A 4-connected walk with one error term: it visits, in order, every sub-unit square that
// the segment from the player to the ray's end passes through. When the segment goes
// exactly through a sub-unit corner (error 0) the X step is taken. The wall test comes
// before each step, so the reported square is the first wall square, not the one after.
void castRay(double angle) {
    const double infinity = std::numeric_limits<double>::infinity();
    const double x0 = playerX * subUnitsPerCell;
    const double y0 = playerY * subUnitsPerCell;
    const double x1 = std::cos(angle) * rayLength * subUnitsPerCell + x0;
    const double y1 = std::sin(angle) * rayLength * subUnitsPerCell + y0;
    const double dx = std::fabs(x1 - x0);
    const double dy = std::fabs(y1 - y0);
    int x = int(std::floor(x0));
    int y = int(std::floor(y0));
    int n = 1;

    int xStep = 0;
    double error = 0.0;
    if (dx == 0.0) {
        error = infinity;
    } else if (x1 > x0) {
        xStep = 1;
        n += int(std::floor(x1)) - x;
        error = (std::floor(x0) + 1 - x0) * dy;
    } else {
        xStep = -1;
        n += x - int(std::floor(x1));
        error = (x0 - std::floor(x0)) * dy;
    }

    int yStep = 0;
    if (dy == 0.0) {
        error -= infinity;
    } else if (y1 > y0) {
        yStep = 1;
        n += int(std::floor(y1)) - y;
        error -= (std::floor(y0) + 1 - y0) * dx;
    } else {
        yStep = -1;
        n += y - int(std::floor(y1));
        error -= (y0 - std::floor(y0)) * dx;
    }

    CellSpan column = spanOf(x);
    CellSpan row = spanOf(y);
    int cell = mazeIndex(column.cell, row.cell);
    uint8_t side = rayHitSide;
    for (; n > 0; --n) {
        if (mazeCells[cell] != 0) {
            break;
        }
        if (error > 0) {
            y += yStep;
            error -= dx;
            side = 0;
            if (leftSpan(y, row)) {
                row = spanOf(y);
                cell = mazeIndex(column.cell, row.cell);
            }
        } else {
            x += xStep;
            error += dy;
            side = 1;
            if (leftSpan(x, column)) {
                column = spanOf(x);
                cell = mazeIndex(column.cell, row.cell);
            }
        }
    }
    rayHitSide = side;
    rayHitX = x / subUnitsPerCell;
    rayHitY = y / subUnitsPerCell;
}
