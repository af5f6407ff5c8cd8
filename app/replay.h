// Drawings kept from one pass to the next. A layer that draws the same thing over the same
// pixels as in an earlier pass copies what it drew then instead of drawing it again: the
// bytes below are compared in full first, so a replay leaves exactly the pixels a fresh
// drawing would. Only a drawing that depends on nothing but what the layer describes and
// the screen's pixels inside its area may be kept.
#pragma once

#include <SDL.h>
#include <cstddef>
#include <vector>

constexpr int mostKeptDrawings = 8; // drawings one memory can hold

// One drawing: how the layer described it, the screen area it may touch (clipped to the
// screen), and that area's bytes before and after it was drawn, row by row.
struct KeptDrawing {
    std::vector<Uint8> description;
    SDL_Rect area = {};
    std::vector<Uint8> before;
    std::vector<Uint8> after;
    unsigned lastUse = 0;
    bool complete = false; // true once before and after are both taken
};

// A layer's memory of its recent drawings, made by drawingMemory with at least as many slots
// as the layer draws in one pass; a new drawing takes the place of the least recently used.
// Static storage of the layer's module, for the whole run; the byte buffers grow to their
// areas' sizes once and are then reused.
struct DrawingMemory {
    int slotCount = 1; // 1 to mostKeptDrawings
    KeptDrawing slots[mostKeptDrawings];
    int pending = -1; // the slot keepDrawing completes, or -1 when nothing is to be kept
    unsigned uses = 0;
};

// Called where a layer's module defines its memory: one with `slots` (1 to mostKeptDrawings)
// slots, all empty.
DrawingMemory drawingMemory(int slots);

// Called by a layer before it draws onto the screen: description (size bytes) is everything
// its drawing depends on besides the pixels below, and (x, y, w, h) in screen pixels bounds
// every pixel it may write. Returns true when a kept drawing matched and is now copied onto
// the screen: the layer is done. Returns false when the layer must draw; it then calls
// keepDrawing. A description is kept from the second pass that asks for it.
bool replayDrawing(DrawingMemory& memory, const void* description, size_t size, int x, int y, int w,
                   int h);

// Called by a layer right after drawing what replayDrawing did not replay.
void keepDrawing(DrawingMemory& memory);
