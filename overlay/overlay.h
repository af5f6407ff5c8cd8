// The pause overlay's per-pass driver and the pointer cursor.
#pragma once

// Called by main once per pass, after the world (if it ran) and before the flip. Draws, from
// the bottom up: backdrop, menu, clock bars, pointer cursor, border.
void runOverlayFrame();
