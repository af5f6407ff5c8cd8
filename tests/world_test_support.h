// Shared set-up for the maze world's tests: hand-built grids, and plain readings of the ray
// walk that the game's faster one must match bit for bit.
#pragma once

#include "world/maze.h"
#include "world/player.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace worldtest {

inline int32_t& cell(int x, int y) {
    return mazeCells[x * mazeHeight + y];
}

// An open field inside the outer wall, marked as generated.
inline void buildOpenField() {
    for (int x = 0; x < mazeWidth; ++x) {
        for (int y = 0; y < mazeHeight; ++y) {
            const bool border = x == 0 || y == 0 || x == mazeWidth - 1 || y == mazeHeight - 1;
            cell(x, y) = border ? 1 : 0;
        }
    }
    mazeReady = 1;
}

// No walls at all: only the wall cells a test sets itself.
inline void buildEmptyGrid() {
    for (int32_t& c : mazeCells) {
        c = 0;
    }
    mazeReady = 1;
}

inline void placePlayer(double x, double y, double angle = 0.0) {
    playerX = x;
    playerY = y;
    playerAngle = angle;
}

struct RayHit {
    double x = 0.0;
    double y = 0.0;
    uint8_t side = 0;
};

// The ray walk read literally: the wall test divides by 100 before every step.
inline RayHit referenceRay(double angle, uint8_t previousSide) {
    const double inf = std::numeric_limits<double>::infinity();
    const double X0 = playerX * 100;
    const double Y0 = playerY * 100;
    const double X1 = std::cos(angle) * 35 * 100 + X0;
    const double Y1 = std::sin(angle) * 35 * 100 + Y0;
    const double dx = std::fabs(X1 - X0);
    const double dy = std::fabs(Y1 - Y0);
    int x = int(std::floor(X0));
    int y = int(std::floor(Y0));
    int n = 1;
    int xStep = 0, yStep = 0;
    double error = 0;
    if (dx == 0) {
        xStep = 0;
        error = inf;
    } else if (X1 > X0) {
        xStep = 1;
        n = n + int(std::floor(X1)) - x;
        error = (std::floor(X0) + 1 - X0) * dy;
    } else {
        xStep = -1;
        n = n + x - int(std::floor(X1));
        error = (X0 - std::floor(X0)) * dy;
    }
    if (dy == 0) {
        yStep = 0;
        error = error - inf;
    } else if (Y1 > Y0) {
        yStep = 1;
        n = n + int(std::floor(Y1)) - y;
        error = error - (std::floor(Y0) + 1 - Y0) * dx;
    } else {
        yStep = -1;
        n = n + y - int(std::floor(Y1));
        error = error - (Y0 - std::floor(Y0)) * dx;
    }
    RayHit hit;
    hit.side = previousSide;
    while (n > 0) {
        if (mazeCells[(x / 100) * 15 + (y / 100)] != 0) {
            break;
        }
        if (error > 0) {
            y = y + yStep;
            error = error - dx;
            hit.side = 0;
        } else {
            x = x + xStep;
            error = error + dy;
            hit.side = 1;
        }
        n = n - 1;
    }
    hit.x = double(x) / 100;
    hit.y = double(y) / 100;
    return hit;
}

} // namespace worldtest
