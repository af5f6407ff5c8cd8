// Preloaded into the game by world_test.sh: while the file named by PLINT_SLOW_PASSES holds
// a number, every pass lasts that many milliseconds more, so input aimed at the few passes a
// button slides under the pointer lands there however busy the machine is.
#include <SDL.h>
#include <cstdio>
#include <dlfcn.h>
#include <unistd.h>

extern "C" int SDL_Flip(SDL_Surface* screen) {
    static auto* flip = reinterpret_cast<int (*)(SDL_Surface*)>(dlsym(RTLD_NEXT, "SDL_Flip"));
    static const char* path = SDL_getenv("PLINT_SLOW_PASSES");
    int ms = 0;
    if (FILE* file = path ? std::fopen(path, "r") : nullptr) {
        if (std::fscanf(file, "%d", &ms) != 1) {
            ms = 0;
        }
        std::fclose(file);
    }
    usleep(ms * 1000);
    return flip(screen);
}
