#include "world_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using worldtest::cell;

enum Kind { Border, Pillar, Room, InnerWall };

Kind kindOf(int x, int y) {
    if (x == 0 || y == 0 || x == mazeWidth - 1 || y == mazeHeight - 1) {
        return Border;
    }
    if (x % 2 == 0 && y % 2 == 0) {
        return Pillar;
    }
    if (x % 2 == 1 && y % 2 == 1) {
        return Room;
    }
    return InnerWall;
}

// Open cells reachable from room (1, 1) by 4-neighbour steps.
int reachableOpenCells() {
    std::vector<bool> seen(mazeWidth * mazeHeight, false);
    std::vector<int> todo = {1 * mazeHeight + 1};
    seen[todo[0]] = true;
    int count = 0;
    while (!todo.empty()) {
        const int at = todo.back();
        todo.pop_back();
        ++count;
        const int x = at / mazeHeight, y = at % mazeHeight;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= mazeWidth || n[1] >= mazeHeight) {
                continue;
            }
            const int index = n[0] * mazeHeight + n[1];
            if (!seen[index] && mazeCells[index] == 0) {
                seen[index] = true;
                todo.push_back(index);
            }
        }
    }
    return count;
}

int openNeighbourPairs() {
    int pairs = 0;
    for (int x = 0; x < mazeWidth; ++x) {
        for (int y = 0; y < mazeHeight; ++y) {
            if (cell(x, y) != 0) {
                continue;
            }
            pairs += x + 1 < mazeWidth && cell(x + 1, y) == 0;
            pairs += y + 1 < mazeHeight && cell(x, y + 1) == 0;
        }
    }
    return pairs;
}

void generateFrom(unsigned seed) {
    std::srand(seed);
    generateMaze();
}

// The walk as described, written independently: a counter of unvisited rooms instead of a
// scan, and one rand() per step whatever the step does. The game must carve the same maze.
std::vector<int32_t> referenceMaze(unsigned seed) {
    std::srand(seed);
    std::vector<int32_t> g(mazeWidth * mazeHeight);
    auto at = [&](int x, int y) -> int32_t& { return g[x * mazeHeight + y]; };
    int unvisited = 0;
    for (int y = 0; y < mazeHeight; ++y) {
        for (int x = 0; x < mazeWidth; ++x) {
            const Kind k = kindOf(x, y);
            at(x, y) = (k == Border || k == Pillar) ? 1 : k == InnerWall ? 2 : 0;
            unvisited += at(x, y) == 0;
        }
    }
    const int moves[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    int x = 1, y = 1;
    while (unvisited > 0) {
        bool carving = false;
        for (int d = 1; d <= 4; ++d) {
            const int wx = x + moves[d][0], wy = y + moves[d][1];
            carving =
                carving || (at(wx, wy) == 2 && at(x + 2 * moves[d][0], y + 2 * moves[d][1]) == 0);
        }
        const int d = std::rand() % 4 + 1;
        const int wx = x + moves[d][0], wy = y + moves[d][1];
        const int tx = x + 2 * moves[d][0], ty = y + 2 * moves[d][1];
        if (carving && at(wx, wy) == 2 && at(tx, ty) == 0) {
            unvisited -= at(x, y) == 0; // room (1, 1) is only marked by the first carve
            unvisited -= 1;
            at(x, y) = at(wx, wy) = at(tx, ty) = 3;
            x = tx, y = ty;
        } else if (!carving && at(wx, wy) == 3 && at(tx, ty) == 3) {
            at(x, y) = 4;
            x = tx, y = ty;
        }
    }
    for (int32_t& c : g) {
        c = (c == 1 || c == 2) ? 1 : 0;
    }
    return g;
}

TEST(Maze, EverySeedGivesAPerfectMazeOverAnyPreviousGrid) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        for (int i = 0; i < mazeWidth * mazeHeight; ++i) {
            mazeCells[i] = (i * 7919) % 9 - 3; // leftovers the fill must overwrite
        }
        mazeReady = 0;
        generateFrom(seed);
        ASSERT_EQ(mazeReady, 1);

        int open = 0, openInnerWalls = 0;
        for (int x = 0; x < mazeWidth; ++x) {
            for (int y = 0; y < mazeHeight; ++y) {
                const int32_t c = cell(x, y);
                ASSERT_TRUE(c == 0 || c == 1) << "seed " << seed << " cell " << x << "," << y;
                switch (kindOf(x, y)) {
                case Border:
                case Pillar:
                    ASSERT_EQ(c, 1) << "seed " << seed << " cell " << x << "," << y;
                    break;
                case Room:
                    ASSERT_EQ(c, 0) << "seed " << seed << " cell " << x << "," << y;
                    break;
                case InnerWall:
                    openInnerWalls += c == 0;
                    break;
                }
                open += c == 0;
            }
        }
        EXPECT_EQ(openInnerWalls, 118) << "seed " << seed;
        EXPECT_EQ(open, 237) << "seed " << seed;
        // 237 cells, 236 links and all of them connected: a tree, one path between any two.
        EXPECT_EQ(openNeighbourPairs(), 236) << "seed " << seed;
        EXPECT_EQ(reachableOpenCells(), 237) << "seed " << seed;
    }
}

// The same rand() sequence always carves the same maze: the reference's. One draw per
// step, spent or not, also when walking back, so the rand() stream after the walk stands
// exactly where the reference's stands.
TEST(Maze, TheRandSequenceAloneDecidesTheMazeWithOneDrawPerStep) {
    std::vector<int32_t> previous;
    for (unsigned seed = 10; seed < 40; ++seed) {
        const std::vector<int32_t> expected = referenceMaze(seed);
        const int nextAfterReference = std::rand();
        generateFrom(seed);
        EXPECT_EQ(std::rand(), nextAfterReference) << "seed " << seed;
        const std::vector<int32_t> carved(mazeCells, mazeCells + mazeWidth * mazeHeight);
        EXPECT_EQ(carved, expected) << "seed " << seed;
        EXPECT_NE(carved, previous) << "seed " << seed;
        previous = carved;
    }
}

} // namespace
