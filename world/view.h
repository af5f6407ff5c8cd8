// The world view: one pass of the maze world, drawn onto the screen.
#pragma once

// Called by main once per pass, after updateInput and before the overlay, while the pause
// overlay is gone. The first call only generates the maze. Every later call moves the
// player, resolves collisions and draws the background, 640 textured wall columns shaded
// by distance, and the minimap with the player's dot in the lower right.
void runWorldFrame();
