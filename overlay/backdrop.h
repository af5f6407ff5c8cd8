// The frosted backdrop: the frozen frame, captured once when the pause menu opens from rest,
// kept sharp and frosted (blurred, washed out), and blended by the fade in every pass.
#pragma once

// Called by drawOverlay when Escape opened the menu from rest: copies the screen
// into the snapshot, and makes the sharp and the frosted images of it.
void captureBackdrop();

// Called by drawOverlay in every pass with the fade before its easing step: at 0
// draws nothing, at exactly 100 the frost, and between the two a blend of sharp and frost
// weighted by the level truncated (0..99), over every pixel of the screen.
void drawBackdrop(double level);
