// Opening the game's window: the display check, SDL's video, the icon and the video mode.
#include "app/window.h"

#include "app/cli.h"
#include "app/display.h"
#include "app/frame.h"
#include "app/media.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdlib>
#ifdef _WIN32
#include <windows.h>
#endif

// ---- Helpers --------------------------------------------------------------------------------

// The menu entry's 32-pixel icon, read beside the art: in the source tree or where the game
// is installed. SDL 1.2 takes an icon only before the video mode is set, and copies it.
static void setWindowIcon() {
    for (const char* path :
         {"../packaging/icons/32x32/apps/plint.png", "../../icons/hicolor/32x32/apps/plint.png"}) {
        if (SDL_Surface* icon = IMG_Load(mediaPath(path).c_str())) {
            SDL_WM_SetIcon(icon, nullptr);
            SDL_FreeSurface(icon);
            return;
        }
    }
}

// ---- Window ---------------------------------------------------------------------------------

// A driver the player names is the player's choice. Windows always has a desktop to open a
// window on.
bool displayAvailable() {
#ifdef _WIN32
    return true;
#else
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (driver && *driver) || (display && *display) || (wayland && *wayland);
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
        tell(std::string("plint: cannot start SDL: ") + SDL_GetError() + "\n", stderr);
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
