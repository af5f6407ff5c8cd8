// The player: a position in the maze and a heading, moved by the keys and turned by the
// pointer once per world pass.
#pragma once

// The player's position, in cells (map coordinates: X along the maze's 35 cells, Y along
// its 15). Set to (1.5, 1.5) by loadWorldAssets; kept inside open cells by the collision.
extern double playerX;
extern double playerY;

// The heading, in degrees, 0 at start; never wrapped. A direction of t degrees is
// (cos t, sin t) in (X, Y); the view and forward motion look along playerAngle - 90.
extern double playerAngle;

// Degrees to radians: every angle handed to cos, sin or the ray caster is multiplied by
// this, the game's one conversion factor.
constexpr double radiansPerDegree = 0.0174532925;

// Called by updateWorld once per world pass, before resolveWallCollision: turns the
// player by the pointer's offset from column 320 (only while the overlay draws its cursor
// and the right button is up) and steps it 0.025 cells in the direction the keys choose.
// Knows nothing of walls.
void movePlayer();
