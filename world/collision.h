// Keeps the player, a circle of radius 0.15 cells, out of the wall cells.
#pragma once

// Called by updateWorld once per world pass, right after movePlayer and before the rays
// are cast: pushes playerX and playerY to 0.15 cells from every nearby wall cell that the
// circle overlaps, cell by cell. Never frees a centre that is deep inside a wall.
void resolveWallCollision();
