// Preloaded into the game on SDL's dummy display: the window opens with F11 already pressed,
// and every later video mode is refused, as by a driver that cannot switch.
#include <SDL.h>
#include <dlfcn.h>

extern "C" SDL_Surface* SDL_SetVideoMode(int w, int h, int bitsPerPixel, Uint32 flags) {
    static bool opened = false;
    if (opened) {
        SDL_SetError("no such mode");
        return nullptr;
    }
    opened = true;
    SDL_Event f11 = {};
    f11.key = {SDL_KEYDOWN, 0, SDL_PRESSED, {0, SDLK_F11, KMOD_NONE, 0}};
    SDL_PushEvent(&f11);
    using Open = SDL_Surface* (*)(int, int, int, Uint32);
    return reinterpret_cast<Open>(dlsym(RTLD_NEXT, "SDL_SetVideoMode"))(w, h, bitsPerPixel, flags);
}
