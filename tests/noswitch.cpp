// Preloaded into the game on SDL's dummy display: the window opens, F11 is pressed on the
// first pass, and every later video mode is refused, as by a driver that cannot switch. A
// game that went on without a window is asked to quit a few passes later.
#include <SDL.h>
#include <dlfcn.h>

extern "C" SDL_Surface* SDL_SetVideoMode(int w, int h, int bitsPerPixel, Uint32 flags) {
    static auto open = reinterpret_cast<SDL_Surface* (*)(int, int, int, Uint32)>(
        dlsym(RTLD_NEXT, "SDL_SetVideoMode"));
    static bool opened = false;
    if (opened) {
        SDL_SetError("no such mode");
        return nullptr;
    }
    opened = true;
    return open(w, h, bitsPerPixel, flags);
}

extern "C" void SDL_PumpEvents() {
    static auto pump = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_PumpEvents"));
    static int passes = 0;
    pump();
    SDL_Event event = {};
    event.type = ++passes == 1 ? SDL_KEYDOWN : passes == 10 ? SDL_QUIT : SDL_NOEVENT;
    event.key.keysym.sym = SDLK_F11;
    if (event.type != SDL_NOEVENT) {
        SDL_PushEvent(&event);
    }
}
