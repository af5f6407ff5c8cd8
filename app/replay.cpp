// Drawings kept between passes and replayed where the pixels below have not changed.
#include "app/replay.h"

#include "app/frame.h"
#include "app/pixels.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// The description being looked for; swapped into the slot that keeps it, so neither
// allocates once the buffers have grown.
static std::vector<Uint8> wanted;

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

template <typename Value> static void appendBytes(std::vector<Uint8>& bytes, const Value& value) {
    const Uint8* first = reinterpret_cast<const Uint8*>(&value);
    bytes.insert(bytes.end(), first, first + sizeof value);
}

// What a drawing depends on besides the layer's own description: the screen it lands on, its
// layout, and the clip rectangle SDL cuts it by; then the description.
static void describeScreen(std::vector<Uint8>& bytes, const void* description, size_t size) {
    bytes.clear();
    appendBytes(bytes, static_cast<const void*>(screen));
    appendBytes(bytes, static_cast<const void*>(screen->pixels));
    appendBytes(bytes, screen->pitch);
    appendBytes(bytes, screen->format->BytesPerPixel);
    const SDL_Rect& clip = screen->clip_rect;
    for (const int edge : {int(clip.x), int(clip.y), int(clip.w), int(clip.h)}) {
        appendBytes(bytes, edge);
    }
    const Uint8* given = static_cast<const Uint8*>(description);
    bytes.insert(bytes.end(), given, given + size);
}

// The area cut to the screen's clip rectangle, which no blit writes outside of.
static SDL_Rect clippedArea(int x, int y, int w, int h) {
    const SDL_Rect& clip = screen->clip_rect;
    const int left = std::max(x, int(clip.x));
    const int top = std::max(y, int(clip.y));
    const int right = std::min(x + w, clip.x + clip.w);
    const int bottom = std::min(y + h, clip.y + clip.h);
    if (left >= right || top >= bottom) {
        return makeRect(0, 0, 0, 0);
    }
    return makeRect(left, top, right - left, bottom - top);
}

static size_t rowBytes(const SDL_Rect& area) {
    return size_t(area.w) * size_t(screen->format->BytesPerPixel);
}

static Uint8* areaRow(const SDL_Rect& area, int row) {
    return rowStart(screen, area.y + row) + area.x * screen->format->BytesPerPixel;
}

static void copyArea(const SDL_Rect& area, std::vector<Uint8>& bytes) {
    const size_t width = rowBytes(area);
    bytes.resize(width * area.h);
    for (int row = 0; row < area.h; ++row) {
        std::memcpy(bytes.data() + width * row, areaRow(area, row), width);
    }
}

static bool areaHolds(const SDL_Rect& area, const std::vector<Uint8>& bytes) {
    const size_t width = rowBytes(area);
    for (int row = 0; row < area.h; ++row) {
        if (std::memcmp(bytes.data() + width * row, areaRow(area, row), width) != 0) {
            return false;
        }
    }
    return true;
}

static void pasteArea(const SDL_Rect& area, const std::vector<Uint8>& bytes) {
    const size_t width = rowBytes(area);
    for (int row = 0; row < area.h; ++row) {
        std::memcpy(areaRow(area, row), bytes.data() + width * row, width);
    }
}

static bool sameArea(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// ---------------------------------------------------------------------------------------------
// Replaying
// ---------------------------------------------------------------------------------------------

DrawingMemory drawingMemory(int slots) {
    DrawingMemory memory;
    memory.slotCount = std::clamp(slots, 1, mostKeptDrawings);
    return memory;
}

// Positions beyond SDL's 16-bit fields would wrap one blit differently from another, so such
// a drawing is neither kept nor replayed. A drawing is kept from its second pass on: one
// described for the first time is only noted, so a sliding layer, new in every pass, costs
// no copying.
bool replayDrawing(DrawingMemory& memory, const void* description, size_t size, int x, int y, int w,
                   int h) {
    memory.pending = -1;
    if (x < -32768 || y < -32768 || x + w > 32767 || y + h > 32767) {
        return false;
    }
    describeScreen(wanted, description, size);
    const SDL_Rect area = clippedArea(x, y, w, h);
    ++memory.uses;
    int same = -1;
    int oldest = 0;
    for (int i = 0; i < memory.slotCount; ++i) {
        const KeptDrawing& kept = memory.slots[i];
        if (kept.description == wanted && sameArea(kept.area, area)) {
            same = i;
            break;
        }
        if (kept.lastUse < memory.slots[oldest].lastUse) {
            oldest = i;
        }
    }
    KeptDrawing& kept = memory.slots[same >= 0 ? same : oldest];
    kept.lastUse = memory.uses;
    if (same < 0) {
        kept.description.swap(wanted);
        kept.area = area;
        kept.complete = false;
        return false;
    }
    lockPixels(screen);
    if (kept.complete && areaHolds(area, kept.before)) {
        pasteArea(area, kept.after);
        unlockPixels(screen);
        return true;
    }
    copyArea(area, kept.before);
    unlockPixels(screen);
    kept.complete = false;
    memory.pending = same;
    return false;
}

void keepDrawing(DrawingMemory& memory) {
    if (memory.pending < 0) {
        return;
    }
    KeptDrawing& kept = memory.slots[memory.pending];
    lockPixels(screen);
    copyArea(kept.area, kept.after);
    unlockPixels(screen);
    kept.complete = true;
    memory.pending = -1;
}
