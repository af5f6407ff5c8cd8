// The ray caster: follows one ray from the player across the maze on a lattice of 100 x 100
// sub-units per cell and reports where it first enters a wall cell.
#pragma once

#include <cstdint>

// The lower corner of the sub-unit square where the last ray stopped, in cells: always a
// multiple of 0.01. Written by castRay, read by the world view. 0 at start.
extern double rayHitX;
extern double rayHitY;

// 1 when the last ray's final step crossed a line of constant X (a wall face running along
// Y), 0 a line of constant Y. A ray that takes no step (the player's own sub-unit lies in a
// wall) leaves it as the previous ray left it. 0 at start.
extern uint8_t rayHitSide;

// Called by drawWorld once per screen column, after motion and collision. angle is in
// radians; the ray runs along (cos angle, sin angle) from (playerX, playerY) for at most 35
// cells. Relies on the player standing inside the grid; it does not check.
void castRay(double angle);
