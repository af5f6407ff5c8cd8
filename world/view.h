// The world view: one pass of the maze world, drawn onto the screen.
#pragma once

// Called by main once per pass, after updateInput and before the overlay, while the pause
// overlay is gone. The first call only generates the maze. Every later call moves the
// player, resolves collisions and draws the background (a plain colour where the image is
// missing or smaller than the screen), 640 textured wall columns shaded by distance, and
// the minimap with the player's dot in the lower right.
void runWorldFrame();

// runWorldFrame's two halves, for a loop that draws only what changed. updateWorld generates
// the maze in its first call and answers false (nothing to draw yet); later calls move the
// player, resolve collisions and answer true. drawWorld draws the view of the player's pose.
bool updateWorld();
void drawWorld();

// ---------------------------------------------------------------------------------------------
// For tests and benchmarks
// ---------------------------------------------------------------------------------------------

// The rays fan out from (playerAngle - 90) * radiansPerDegree - halfFieldOfView as a running
// sum: column k casts at that angle plus k + 1 steps, added one at a time. In radians.
constexpr double rayAngleStep = 0.00234375;
constexpr double halfFieldOfView = 0.75;
