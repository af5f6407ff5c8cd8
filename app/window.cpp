// Opening the game's window: the display check, SDL's video, the icon and the video mode.
#include "app/window.h"

#include "app/cli.h"
#include "app/display.h"
#include "app/frame.h"
#include "app/image.h"
#include "app/media.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>

// ---- State ----------------------------------------------------------------------------------

// Which displays the game named to SDL itself, said as they fail ("the X display ':1' cannot be
// opened": no server there, or one that refuses the game); "" when the player named the driver.
static std::string displaysNamed;
#ifdef _WIN32
#include <windows.h>
#endif

// ---- Helpers --------------------------------------------------------------------------------

// The menu entry's 32-pixel icon, checked as the art is and limited to twice its size: X keeps
// a copy of it for the window's life. SDL 1.2 takes an icon only before the video mode is set,
// and copies it.
static constexpr ImageLimit iconLimit = {64, 64};

static void setWindowIcon() {
    const std::string path = iconPath();
    if (path.empty()) {
        return;
    }
    if (SDL_Surface* icon = loadUnconverted(path.c_str(), iconLimit)) {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    } else {
        std::fprintf(stderr, "plint: %s; the window shows the system's own icon\n", loadFailure());
    }
}

// ---- Window ---------------------------------------------------------------------------------

// A driver the player names is the player's choice, and Windows always has a desktop. Else SDL
// is only let near a window system that is there: left to choose, the classic library falls back
// from a display that does not answer to drawing in the terminal (fbcon, aalib, caca), leaving
// it raw and deaf to Ctrl-C, and SDL 2 under the compatibility library (1.2.50 and up) to an
// offscreen window nobody sees. So SDL is told which window systems to try, those whose display
// is named, and either one answers or SDL_Init fails at once. The classic library has no Wayland
// driver; SDL 2 tries X first, as it would by itself.
std::string displayRefusal() {
#ifdef _WIN32
    return "";
#else
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool x11 = display && *display;
    const bool overSdl2 = SDL_Linked_Version()->patch >= 50;
    const bool waylandToo = wayland && *wayland && overSdl2;
    if (driver && *driver) {
        return "";
    }
    if (!x11 && !waylandToo) {
        return wayland && *wayland ? "no display to open a window on: only a Wayland display is "
                                     "named, and this SDL draws through X alone"
                                   : "no display to open a window on";
    }
    setenv("SDL_VIDEODRIVER", x11 && waylandToo ? "x11,wayland" : x11 ? "x11" : "wayland", 1);
    displaysNamed = x11 && waylandToo
                        ? std::string("neither the X display '") + display +
                              "' nor the Wayland display '" + wayland + "' can be opened"
                    : x11 ? std::string("the X display '") + display + "' cannot be opened"
                          : std::string("the Wayland display '") + wayland + "' cannot be opened";
    return "";
#endif
}

// SDL 1.2's compatibility library, left to itself, shows each frame through SDL 2's OpenGL
// renderer, and Mesa then writes a shader cache under $HOME; drawn in software, the frame goes
// to X as a shared-memory image, as the classic library sends it. Both settings are needed: SDL
// 2 would back even a software renderer's window with an OpenGL texture. The classic library
// reads neither; a player's own stands. No audio is started, so no sound server is contacted.
int openWindow() {
#ifndef _WIN32
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0); // a window it scales stays sharp
#else
    // Before SDL's first window: unaware, Windows reports the desktop in scaled pixels and
    // stretches the window with a blur at 150% or 200% display scaling. Aware, the player's
    // --scale or fullscreen picks a whole scale of real pixels, so the picture stays sharp.
    SetProcessDPIAware();
#endif
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        tell(displaysNamed.empty()
                 ? std::string("plint: cannot start SDL: ") + SDL_GetError() + "\n"
                 : "plint: no display to open a window on: " + displaysNamed + "\n",
             stderr);
        return 1;
    }
    setWindowIcon();
    SDL_ShowCursor(SDL_DISABLE);
    if (const int largest = largestScale(); windowChoice.scale > largest) {
        tell("plint: --scale " + std::to_string(windowChoice.scale) +
                 " does not fit this screen; the largest that does is " + std::to_string(largest) +
                 "\n",
             stderr);
        return 2;
    }
    if (!openPresentation(windowChoice.scale, windowChoice.fullscreen)) {
        tell(std::string("plint: cannot open the window: ") + SDL_GetError() + "\n", stderr);
        return 1;
    }
    SDL_WM_SetCaption("Plint", nullptr);
    return 0;
}
