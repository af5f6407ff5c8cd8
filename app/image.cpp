// Loading the game's PNG images and blitting them, or cells of them, onto the screen.
#include "app/image.h"

#include "app/blend.h"
#include "app/frame.h"
#include "app/pixels.h"
#include "app/pngcheck.h"

#include <SDL_image.h>
#include <cstdio>
#include <cstring>

// ---- State ----------------------------------------------------------------------------------

static char failure[600] = "";

const char* loadFailure() {
    return failure;
}

// ---- Loading --------------------------------------------------------------------------------

// Only the PNG decoder sees the file, and only through the descriptor that was checked.
static SDL_Surface* decodePng(const char* fileName, ImageLimit limit) {
    std::FILE* file = nullptr;
    const std::string refusal = openPng(fileName, limit, file);
    if (!refusal.empty()) {
        std::snprintf(failure, sizeof failure, "%s", refusal.c_str());
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(file, 1);
    if (!source) {
        std::fclose(file);
    }
    SDL_Surface* decoded = source ? IMG_LoadPNG_RW(source) : nullptr;
    if (source) {
        SDL_RWclose(source);
    }
    if (!decoded) {
        std::snprintf(failure, sizeof failure, "%s is a PNG that cannot be decoded (%s)", fileName,
                      IMG_GetError());
    }
    return decoded;
}

// The key is mapped into the converted surface's format, so on a display with fewer bits per
// channel every colour that reduces to cyan's pixel value is transparent too.
static SDL_Surface* loadConverted(const char* fileName, ImageLimit limit, bool keepAlpha) {
    SDL_Surface* loaded = decodePng(fileName, limit);
    if (!loaded) {
        return nullptr;
    }
    SDL_Surface* converted = keepAlpha ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
    if (!converted) {
        std::snprintf(failure, sizeof failure, "cannot convert %s to the display's format (%s)",
                      fileName, SDL_GetError());
    } else if (!keepAlpha) {
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY, SDL_MapRGB(converted->format, 0, 255, 255));
    }
    SDL_FreeSurface(loaded);
    return converted;
}

SDL_Surface* loadImage(const char* fileName, ImageLimit limit) {
    return loadConverted(fileName, limit, false);
}

SDL_Surface* loadAlphaImage(const char* fileName, ImageLimit limit) {
    return loadConverted(fileName, limit, true);
}

SDL_Surface* loadUnconverted(const char* fileName, ImageLimit limit) {
    return decodePng(fileName, limit);
}

// ---- Drawing --------------------------------------------------------------------------------

// SDL rewrites the destination rectangle when it clips, so every blit gets a fresh one. A null
// sheet never reaches SDL: the compatibility library does not refuse every one as classic does.
// Sheets with their own alpha are blended by the game itself, the same under every SDL.
void blitCell(SDL_Surface* sheet, const SDL_Rect* cell, int x, int y) {
    if (!sheet) {
        return;
    }
    SDL_Rect at = makeRect(x, y, 0, 0);
    SDL_Rect from = cell ? *cell : makeRect(0, 0, sheet->w, sheet->h);
    if (!blendAlphaImage(sheet, from, screen, at)) {
        SDL_BlitSurface(sheet, &from, screen, &at);
    }
}
