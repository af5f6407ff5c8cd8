// Shared set-up for the overlay's tests: a screen, the overlay's tables, and sheets of known
// pixels in place of the art in Media/.
#pragma once

#include "app/pixels.h"
#include "overlay/assets.h"
#include "sdl_test_support.h"

// A pixel of a 32-bit surface as 0xRRGGBB.
inline Uint32 rgbAt(SDL_Surface* s, int x, int y) {
    return readPixel(s, x, y) & 0xFFFFFF;
}

// An opaque 32-bit sheet whose pixel (x, y) is colourOf(x, y), as 0xRRGGBB.
template <class F> SDL_Surface* sheet(int w, int h, F colourOf) {
    SDL_Surface* s = makeSurface(w, h, 32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            writePixel(s, x, y, Uint32(colourOf(x, y)));
    return s;
}

// Opens a cleared screen, fills the tables and drops whatever art the working folder held.
class OverlayTest : public SdlScreenTest {
  protected:
    void openOverlay(int bitsPerPixel = 32) {
        openScreen(bitsPerPixel);
        loadOverlayAssets();
        for (SDL_Surface** art :
             {&fontSurface, &buttonSurface, &borderSurface, &barsSurface, &cursorSurface}) {
            SDL_FreeSurface(*art);
            *art = nullptr;
        }
        SDL_FillRect(screen, nullptr, 0);
    }
};
