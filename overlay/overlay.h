// The pause overlay's per-pass driver and the pointer cursor.
#pragma once

// Called by main once per pass, after the world (if it ran) and before the flip. Draws, from
// the bottom up: backdrop, menu, clock bars, pointer cursor, border.
void runOverlayFrame();

// ---------------------------------------------------------------------------------------------
// For tests and benchmarks
// ---------------------------------------------------------------------------------------------

// Called by runOverlayFrame in every pass: the pointer cursor centred on the pointer, from the
// second pass on; sets cursorDrawn accordingly.
void drawCursors();

// Called by runOverlayFrame last in every pass: the border image whole at (0, 0), over
// everything else; its cyan pixels leave the screen as it was.
void drawBorder();
