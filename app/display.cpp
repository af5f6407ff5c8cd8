// Showing the frame: the window or the desktop-sized fullscreen, and the scaled copy.
#include "app/display.h"

#include "app/frame.h"
#include "app/pixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

// ---- State ----------------------------------------------------------------------------------

Presentation presentation = {};

static constexpr int frameWidth = 640;
static constexpr int frameHeight = 480;

// As SDL told it before the first video mode; the frame's own size when it did not say (its
// dummy driver), so that nothing larger than 1x is offered.
static int desktopWidth = frameWidth;
static int desktopHeight = frameHeight;

// True while `screen` is a surface of the game's own, shown through `video`; false while it is
// the plain 640 x 480 window itself, drawn into directly.
static bool frameApart = false;
static SDL_Surface* video = nullptr; // the real video surface while the frame is apart

static int windowScale = 1; // the window's scale, kept while fullscreen
static bool fullscreenShown = false;
#ifndef _WIN32
static bool libraryScaling = false; // the compatibility library was asked to scale the window
#endif

// ---- Helpers --------------------------------------------------------------------------------

static Presentation centred(int scale, int width, int height) {
    return {scale, (width - frameWidth * scale) / 2, (height - frameHeight * scale) / 2};
}

// The plain window is the frame itself: no copy, no second surface, exactly the game as it
// always was. A frame kept in a surface of its own (after a toggle) is drawn into the new
// window once and let go.
static bool openPlainWindow() {
    SDL_Surface* window = SDL_SetVideoMode(frameWidth, frameHeight, 0, SDL_DOUBLEBUF);
    if (!window) {
        return false;
    }
    if (frameApart) {
        if (const SDL_Palette* palette = screen->format->palette) {
            SDL_SetColors(window, palette->colors, 0, palette->ncolors);
        }
        SDL_BlitSurface(screen, nullptr, window, nullptr);
        SDL_FreeSurface(screen);
        frameApart = false;
    }
    video = nullptr;
    screen = window;
    presentation = {};
    return true;
}

// Larger, the frame is drawn into a surface of its own and copied out scaled. The video surface
// is a plain software one, not double-buffered, so the black bars drawn once stay and each
// copy shows only the frame's own rectangle. A frame that was the plain window is copied out
// before SDL lets that window go; its depth is asked of the new mode, as every image was
// converted to it.
static bool openScaled(int scale, bool fullscreen) {
    if (screen && !frameApart) {
        SDL_Surface* kept = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
        if (!kept) {
            return false;
        }
        screen = kept;
        frameApart = true;
    }
    const int width = fullscreen ? desktopWidth : frameWidth * scale;
    const int height = fullscreen ? desktopHeight : frameHeight * scale;
    SDL_Surface* shown = SDL_SetVideoMode(width, height, screen ? screen->format->BitsPerPixel : 0,
                                          fullscreen ? SDL_FULLSCREEN : SDL_SWSURFACE);
    if (!shown) {
        return false; // the frame stays apart, for whichever mode is set next
    }
    if (!screen) {
        const SDL_PixelFormat* f = shown->format;
        screen = SDL_CreateRGBSurface(SDL_SWSURFACE, frameWidth, frameHeight, f->BitsPerPixel,
                                      f->Rmask, f->Gmask, f->Bmask, 0);
        if (!screen) {
            return false;
        }
        frameApart = true;
        if (const SDL_Palette* palette = f->palette) {
            SDL_SetColors(screen, palette->colors, 0, palette->ncolors);
        }
    } else if (const SDL_Palette* palette = screen->format->palette) {
        // Eight-bit images were converted to the first window's colours; the frame keeps them.
        SDL_SetColors(shown, palette->colors, 0, palette->ncolors);
    }
    video = shown;
    presentation = centred(
        fullscreen ? std::min(desktopWidth / frameWidth, desktopHeight / frameHeight) : scale,
        width, height);
    SDL_FillRect(video, nullptr, SDL_MapRGB(video->format, 0, 0, 0));
    return true;
}

// The pointer is put where it points at the same frame pixel in the new mode: so the view does
// not start turning after a switch. It is needed, too: SDL 1.2's compatibility library, with
// the system pointer hidden on the whole screen, follows the mouse by its motion alone and
// would start from the top left corner.
static void placePointer(int frameX, int frameY) {
    const Presentation& p = presentation;
    SDL_WarpMouse(Uint16(p.left + std::clamp(frameX, 0, frameWidth - 1) * p.scale),
                  Uint16(p.top + std::clamp(frameY, 0, frameHeight - 1) * p.scale));
}

// SDL 1.2's compatibility library (it reports 1.2.50 and up) can scale a window itself, read
// when the video mode is set: measured on a walking game at 2x, 11-12% of a core against
// 13.5-14.5% for the copy here, the same pixels either way. The game then draws into a plain
// 640 x 480 window, and the library hands it the pointer in the frame's pixels (its scaling is
// set to nearest before SDL starts, when the library reads it). Fullscreen
// the library would stretch by a fraction, so there the game scales by a whole number itself.
static bool scaledByLibrary(int scale, bool fullscreen) {
#ifdef _WIN32
    (void)scale;
    (void)fullscreen;
    return false;
#else
    const SDL_version* linked = SDL_Linked_Version();
    const bool compatibility = linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
    if (compatibility && scale > 1 && !fullscreen) {
        setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 1);
        libraryScaling = true;
        return true;
    }
    if (libraryScaling) {
        setenv("SDL12COMPAT_WINDOW_SCALING", "1", 1);
        libraryScaling = false;
    }
    return false;
#endif
}

static bool openMode(int scale, bool fullscreen) {
    const bool plain = (scale == 1 && !fullscreen) || scaledByLibrary(scale, fullscreen);
    const bool opened = plain ? openPlainWindow() : openScaled(scale, fullscreen);
    if (opened) {
        fullscreenShown = fullscreen;
    }
    return opened;
}

// ---- Presentation ---------------------------------------------------------------------------

int largestScale() {
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo(); info && info->current_w > 0) {
        desktopWidth = info->current_w;
        desktopHeight = info->current_h;
    }
    return std::max(1, std::min(desktopWidth / frameWidth, desktopHeight / frameHeight));
}

bool openPresentation(int scale, bool fullscreen) {
    windowScale = scale;
    if (!openMode(scale, fullscreen)) {
        return false;
    }
    if (fullscreen) {
        placePointer(frameWidth / 2, frameHeight / 2); // where the view stands still
    }
    return true;
}

// One frame row widened into `to`, each pixel stored `n` times side by side; Times is n
// when it is known when compiling (0 when it is not), so the common scales get loops the
// compiler can unroll and vectorise.
template <int Bytes, int Times>
static void widenRow(const Uint8* from, Uint8* to, int width, int n) {
    const int times = Times > 0 ? Times : n;
    for (int x = 0; x < width; ++x, from += Bytes) {
        const Uint32 pixel = loadPixel<Bytes>(from);
        for (int i = 0; i < times; ++i, to += Bytes) {
            storePixel<Bytes>(to, pixel);
        }
    }
}

template <int Bytes> static void widenRowBy(const Uint8* from, Uint8* to, int width, int n) {
    switch (n) {
    case 2:
        return widenRow<Bytes, 2>(from, to, width, n);
    case 3:
        return widenRow<Bytes, 3>(from, to, width, n);
    case 4:
        return widenRow<Bytes, 4>(from, to, width, n);
    default:
        return widenRow<Bytes, 0>(from, to, width, n);
    }
}

// Rows are replicated whole: each frame row is widened once into the first row of its block,
// which is then copied down. Only raw values move, in the one format both surfaces share.
void scaleFrame(SDL_Surface* frame, SDL_Surface* target, Presentation at) {
    const int n = at.scale;
    SDL_LockSurface(frame);
    SDL_LockSurface(target);
    forBytesPerPixel(frame->format->BytesPerPixel, [&](auto bytes) {
        constexpr int Bytes = decltype(bytes)::value;
        const size_t rowBytes = size_t(frame->w) * size_t(n) * Bytes;
        for (int y = 0; y < frame->h; ++y) {
            Uint8* const first = rowStart(target, at.top + y * n) + Bytes * at.left;
            widenRowBy<Bytes>(rowStart(frame, y), first, frame->w, n);
            for (int copy = 1; copy < n; ++copy) {
                std::memcpy(rowStart(target, at.top + y * n + copy) + Bytes * at.left, first,
                            rowBytes);
            }
        }
    });
    SDL_UnlockSurface(target);
    SDL_UnlockSurface(frame);
}

// Once the bars are on screen only the frame's rectangle changes; the window system's loss
// takes the bars too, so then the whole surface is shown again.
void presentFrame(bool wholeScreen) {
    if (!video) {
        SDL_Flip(screen);
        return;
    }
    scaleFrame(screen, video, presentation);
    if (wholeScreen) {
        SDL_Flip(video);
    } else {
        SDL_UpdateRect(video, presentation.left, presentation.top,
                       Uint32(frameWidth * presentation.scale),
                       Uint32(frameHeight * presentation.scale));
    }
}

bool toggleFullscreen() {
    const bool wasFullscreen = fullscreenShown;
    const Presentation before = presentation;
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    if (!openMode(windowScale, !wasFullscreen) && !openMode(windowScale, wasFullscreen)) {
        return false;
    }
    placePointer((x - before.left) / before.scale, (y - before.top) / before.scale);
    presentFrame(true);
    return true;
}
