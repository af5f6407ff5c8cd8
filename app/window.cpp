// Opening the game's window: the display check, SDL's video, the icon and the video mode.
#include "app/window.h"

#include "app/cli.h"
#include "app/frame.h"
#include "app/image.h"
#include "app/media.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>

// ---- State ----------------------------------------------------------------------------------

// The X display the game named to SDL itself, for saying which did not answer; "" when the
// player named the driver or SDL chose.
static std::string xNamed;

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
// from a display that does not answer to drawing in the terminal (fbcon, aalib, caca), and the
// terminal is left raw, deaf to Ctrl-C. So it is told to use X alone, which either answers or
// fails at once; it has no Wayland driver. SDL 2 under the compatibility library (1.2.50 and up)
// chooses among real window systems only, Wayland's included.
std::string displayRefusal() {
#ifdef _WIN32
    return "";
#else
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool x11 = display && *display;
    if (driver && *driver) {
        return "";
    }
    if (!x11 && !(wayland && *wayland)) {
        return "no display to open a window on";
    }
    if (SDL_Linked_Version()->patch >= 50) {
        return "";
    }
    if (!x11) {
        return "no display to open a window on: only a Wayland display is named, and this SDL "
               "draws through X alone";
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    xNamed = display;
    return "";
#endif
}

// SDL 1.2's compatibility library, left to itself, shows each frame through SDL 2's OpenGL
// renderer, and Mesa then writes a shader cache under $HOME; drawn in software, the frame goes
// to X as a shared-memory image, as the classic library sends it. Both settings are needed: SDL
// 2 would back even a software renderer's window with an OpenGL texture. The classic library
// reads neither; a player's own stands. No audio is started, so no sound server is contacted.
bool openWindow() {
#ifndef _WIN32
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
#endif
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        tell(xNamed.empty() ? std::string("plint: cannot start SDL: ") + SDL_GetError() + "\n"
                            : "plint: no display to open a window on: the X display '" + xNamed +
                                  "' does not answer\n",
             stderr);
        return false;
    }
    setWindowIcon();
    SDL_ShowCursor(SDL_DISABLE);
    screen = SDL_SetVideoMode(640, 480, 0, SDL_DOUBLEBUF);
    if (!screen) {
        tell(std::string("plint: cannot open the 640x480 window: ") + SDL_GetError() + "\n",
             stderr);
        return false;
    }
    SDL_WM_SetCaption("Plint", nullptr);
    return true;
}
