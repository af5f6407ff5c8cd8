// The world view: one pass of the maze world, drawn onto the screen.
#pragma once

// Called by main once per pass, after updateInput and before the overlay, while the pause
// overlay is gone. The first call only generates the maze and answers false: nothing to draw
// yet. Every later call moves the player, resolves collisions and answers true.
bool updateWorld();

// Called by main after updateWorld answered true, when the frame changed: draws the
// background (a plain colour where the image is missing or smaller than the screen), 640
// textured wall columns shaded by distance, and the minimap with the player's dot in the
// lower right, for the player's pose.
void drawWorld();

// ---- For tests and benchmarks ---------------------------------------------------------------

// updateWorld, then drawWorld when it answered true: one world pass.
void runWorldFrame();

// The rays fan out from (playerAngle - 90) * radiansPerDegree - halfFieldOfView as a running
// sum: column k casts at that angle plus k + 1 steps, added one at a time. In radians.
constexpr double rayAngleStep = 0.00234375;
constexpr double halfFieldOfView = 0.75;
