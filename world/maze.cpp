// Carving the random perfect maze, once per run.
#include "world/maze.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

// ---- State ----------------------------------------------------------------------------------

int32_t mazeCells[mazeWidth * mazeHeight] = {};
int32_t mazeReady = 0;

// The walk keeps its stack in the grid itself, with these working values. Rooms are the
// cells with both coordinates odd; inner walls lie between two rooms two cells apart.
enum WorkingValue : int32_t {
    Unvisited = 0,   // a room the walk has not entered yet
    FixedWall = 1,   // border and pillars; never changes
    ClosedWall = 2,  // an inner wall not (yet) opened
    Carved = 3,      // a visited room, or an inner wall the walk opened
    LeftForGood = 4, // a room the walk has walked back out of
};

// Direction codes 1 to 4 (rand() % 4 + 1) move the cursor two cells: -X, +X, -Y, +Y.
struct Direction {
    int dx;
    int dy;
};
static const Direction directions[5] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};

// ---- Helpers --------------------------------------------------------------------------------

static int32_t& cellAt(int x, int y) {
    return mazeCells[mazeIndex(x, y)];
}

static void fillRoomsAndWalls() {
    for (int y = 0; y < mazeHeight; ++y) {
        for (int x = 0; x < mazeWidth; ++x) {
            const bool border = x == 0 || x == mazeWidth - 1 || y == 0 || y == mazeHeight - 1;
            const bool xEven = x % 2 == 0;
            const bool yEven = y % 2 == 0;
            if (border || (xEven && yEven)) {
                cellAt(x, y) = FixedWall;
            } else if (xEven || yEven) {
                cellAt(x, y) = ClosedWall;
            } else {
                cellAt(x, y) = Unvisited;
            }
        }
    }
}

// The wall cell is tested first: beside a room on the grid's edge it is a border cell, so
// the target two cells away, which may lie outside the grid, is never looked at.
static bool leadsTo(int x, int y, int code, int32_t wallValue, int32_t targetValue) {
    const Direction d = directions[code];
    return cellAt(x + d.dx, y + d.dy) == wallValue &&
           cellAt(x + 2 * d.dx, y + 2 * d.dy) == targetValue;
}

static bool canCarve(int x, int y, int code) {
    return leadsTo(x, y, code, ClosedWall, Unvisited);
}

static bool anyCarvable(int x, int y) {
    for (int code = 1; code <= 4; ++code) {
        if (canCarve(x, y, code)) {
            return true;
        }
    }
    return false;
}

static bool anyRoomUnvisited() {
    return std::find(std::begin(mazeCells), std::end(mazeCells), Unvisited) != std::end(mazeCells);
}

// Only 0 (open) and 1 (wall) survive the walk.
static void mapToOpenAndWall() {
    for (int32_t& cell : mazeCells) {
        cell = (cell == FixedWall || cell == ClosedWall) ? 1 : 0;
    }
}

// ---- Generation -----------------------------------------------------------------------------

// A randomized depth-first walk. The mode is chosen before the draw, and a draw naming a
// direction the mode cannot use is spent: carving picks uniformly among the open directions,
// and walking back retraces the path one room per successful draw.
void generateMaze() {
    fillRoomsAndWalls();
    int x = 1;
    int y = 1;
    do {
        const bool carving = anyCarvable(x, y);
        const int code = std::rand() % 4 + 1;
        const Direction d = directions[code];
        if (carving && canCarve(x, y, code)) {
            cellAt(x, y) = Carved;
            cellAt(x + d.dx, y + d.dy) = Carved;
            cellAt(x + 2 * d.dx, y + 2 * d.dy) = Carved;
            x += 2 * d.dx;
            y += 2 * d.dy;
        } else if (!carving && leadsTo(x, y, code, Carved, Carved)) {
            cellAt(x, y) = LeftForGood;
            x += 2 * d.dx;
            y += 2 * d.dy;
        }
    } while (anyRoomUnvisited());
    mapToOpenAndWall();
    mazeReady = 1;
}
