// Shared set-up for the overlay's tests: a screen, the overlay's tables, and sheets of known
// pixels standing in for the art, so no test depends on the images in Media/.
#pragma once

#include "app/pixels.h"
#include "overlay/assets.h"
#include "sdl_test_support.h"

#include <functional>

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

inline Rgb rgbAt(SDL_Surface* surface, int x, int y) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(readPixel(surface, x, y), surface->format, &r, &g, &b);
    return {r, g, b};
}

// An opaque 32-bit sheet whose every pixel is colourOf(x, y).
inline SDL_Surface* paintedSheet(int w, int h, const std::function<Rgb(int, int)>& colourOf) {
    SDL_Surface* sheet = makeSurface(w, h, 32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb c = colourOf(x, y);
            writePixel(sheet, x, y, SDL_MapRGB(sheet->format, Uint8(c.r), Uint8(c.g), Uint8(c.b)));
        }
    }
    return sheet;
}

inline SDL_Surface* solidSheet(int w, int h, Rgb c) {
    return paintedSheet(w, h, [c](int, int) { return c; });
}

// Opens the screen, fills the tables and drops whatever art the working folder held.
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
