#include "app/image.h"

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
