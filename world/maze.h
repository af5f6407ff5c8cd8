// The maze grid: 35 x 15 square cells, each open or wall, carved once per run.
#pragma once

#include <cstdint>

constexpr int mazeWidth = 35;  // cells along X, the long axis (playerX)
constexpr int mazeHeight = 15; // cells along Y, the short axis (playerY)

// Cell (x, y) is element mazeIndex(x, y). After generation 0 is open and 1 is wall; every
// reader treats any non-zero value as wall. All 0 at start. Static storage, lives for the run.
extern int32_t mazeCells[mazeWidth * mazeHeight];

// The element of cell (x, y) in mazeCells: the 15 cells of one x are consecutive.
constexpr int mazeIndex(int x, int y) {
    return x * mazeHeight + y;
}

// 0 until generateMaze has finished, then 1; never reset.
extern int32_t mazeReady;

// Called by updateWorld in the first world pass (while mazeReady is 0): carves a random
// perfect maze into mazeCells with one rand() draw per walk step, then sets mazeReady.
void generateMaze();
