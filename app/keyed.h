// Colour-keyed images drawn as the runs of their opaque pixels. SDL compares every pixel of a
// keyed image with the key on every blit; the border and the bars are mostly see-through or
// mostly solid, so their opaque runs are found once, at load time, and copied as they are.
#pragma once

#include <SDL.h>
#include <vector>

// One run of opaque pixels in a row of the image, in image pixels.
struct OpaqueRun {
    int start = 0;
    int length = 0;
};

// The opaque runs of one keyed image, found once and constant after. The runs of image row y
// are runs[firstRun[y]] .. runs[firstRun[y + 1] - 1]. Static storage of the game's assets
// holds these for the whole run; nothing here owns the image.
struct OpaqueRuns {
    const SDL_Surface* image = nullptr; // null when the image cannot be drawn by its runs
    const void* pixels = nullptr;       // the image's pixels and key when the runs were found:
    Uint32 key = 0;                     // an image changed since draws through SDL
    std::vector<int> firstRun;
    std::vector<OpaqueRun> runs;
};

// Called by the asset loaders once, after loadImage. The runs are usable when the image is
// colour-keyed, true-colour, without surface alpha or RLE, and its opaque pixels carry no
// bits beyond red, green and blue, which is what SDL copies; otherwise image stays null and
// drawing goes through SDL. A null image gives unusable runs.
OpaqueRuns findOpaqueRuns(SDL_Surface* image);

// Called by the overlay every pass instead of blitting a keyed image whole: image at (x, y)
// on the screen (positions in SDL's 16-bit fields), clipped to the screen's clip rectangle
// exactly as SDL clips a whole-surface blit. Copies the runs when they were found in this
// very image and it has the screen's pixel format; otherwise SDL blits it. A null image
// draws nothing.
void drawKeyedImage(SDL_Surface* image, const OpaqueRuns& runs, int x, int y);
