// What a window costs before the game draws anything: the game's 640x480 window and its
// 16 ms pass with nothing in it but what the mode adds. bench/cpu-usage.sh builds and runs it.
//   floor pump   pumps and polls the events, then waits out the pass
//   floor flip   the same, and flips the screen each pass
//   floor blit   the same, and copies one whole 640x480 frame onto the screen before the flip
#include <SDL.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* mode = argc == 2 ? argv[1] : "";
    const bool flip = !std::strcmp(mode, "flip") || !std::strcmp(mode, "blit");
    const bool blit = !std::strcmp(mode, "blit");
    if (!flip && std::strcmp(mode, "pump")) {
        std::fprintf(stderr, "usage: floor pump|flip|blit\n");
        return 2;
    }

    // Opened as the game opens its window, under the game's caption so the same scripts find it.
    SDL_Init(SDL_INIT_EVERYTHING);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 0, SDL_DOUBLEBUF);
    if (!screen) {
        std::fprintf(stderr, "floor: cannot open the 640x480 window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Plint", nullptr);

    // A frame in the screen's format, as the game loads its background.
    SDL_Surface* drawn = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 24, 0xff, 0xff00, 0xff0000, 0);
    SDL_FillRect(drawn, nullptr, SDL_MapRGB(drawn->format, 20, 40, 90));
    SDL_Surface* frame = SDL_DisplayFormat(drawn);
    SDL_FreeSurface(drawn);

    bool quit = false;
    while (!quit) {
        const Uint32 passStart = SDL_GetTicks();
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            quit = quit || event.type == SDL_QUIT;
        }
        if (blit) {
            SDL_BlitSurface(frame, nullptr, screen, nullptr);
        }
        if (flip) {
            SDL_Flip(screen);
        }
        const Uint32 elapsed = SDL_GetTicks() - passStart;
        if (elapsed < 16) {
            SDL_Delay(16 - elapsed); // the game's pace: one pass every 16 ms
        }
    }
    SDL_FreeSurface(frame);
    SDL_Quit();
    return 0;
}
