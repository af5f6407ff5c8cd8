// Loading the game's PNG images and blitting them, or cells of them, onto the screen.
#include "app/image.h"

#include "app/frame.h"
#include "app/pixels.h"

#include <SDL_image.h>

// ---------------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------------

// The colour key is mapped into the converted surface's format, so on a display with fewer
// bits per channel every colour that reduces to cyan's pixel value is transparent too.
SDL_Surface* loadImage(const char* fileName) {
    SDL_Surface* loaded = IMG_Load(fileName);
    if (!loaded) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (converted) {
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY, SDL_MapRGB(converted->format, 0, 255, 255));
    }
    return converted;
}

SDL_Surface* loadAlphaImage(const char* fileName) {
    SDL_Surface* loaded = IMG_Load(fileName);
    if (!loaded) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_DisplayFormatAlpha(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}

// ---------------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------------

// SDL rewrites the destination rectangle when it clips, so every blit gets a fresh one. A
// null sheet never reaches SDL: the compatibility library does not refuse every null surface
// the way the classic one does.
void blitCell(SDL_Surface* sheet, const SDL_Rect* cell, int x, int y) {
    if (!sheet) {
        return;
    }
    SDL_Rect at = makeRect(x, y, 0, 0);
    if (!cell) {
        SDL_BlitSurface(sheet, nullptr, screen, &at);
        return;
    }
    SDL_Rect from = *cell;
    SDL_BlitSurface(sheet, &from, screen, &at);
}
