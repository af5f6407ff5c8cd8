// What a window costs before the game draws anything: the game's window and its 16 ms pass
// with nothing in it but what the mode adds. bench/cpu-usage.sh builds and runs it.
//   floor pump   pumps and polls the events, then waits out the pass
//   floor flip   the same, and flips the screen each pass
//   floor blit   the same, and copies one whole frame of the window's size before the flip
// After the mode, as the game takes them: --scale N, a window N times 640x480; --fullscreen,
// the whole desktop at its own size. Both open the video mode the game opens for them.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const char* mode = argc >= 2 ? argv[1] : "";
    const bool flip = !std::strcmp(mode, "flip") || !std::strcmp(mode, "blit");
    const bool blit = !std::strcmp(mode, "blit");
    const bool fullscreen = argc == 3 && !std::strcmp(argv[2], "--fullscreen");
    const int scale = argc == 4 && !std::strcmp(argv[2], "--scale") ? std::atoi(argv[3]) : 1;
    const bool viewNamed =
        argc == 2 || fullscreen || (argc == 4 && !std::strcmp(argv[2], "--scale") && scale >= 1);
    if ((!flip && std::strcmp(mode, "pump")) || !viewNamed) {
        std::fprintf(stderr, "usage: floor pump|flip|blit [--scale N | --fullscreen]\n");
        return 2;
    }

    // Opened as the game opens its window, under the game's caption so the same scripts find it;
    // under SDL 1.2's compatibility library drawn in software, as the game has it.
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    SDL_Init(SDL_INIT_EVERYTHING);
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo(); // before the mode: the desktop's size
    const int width = fullscreen ? desktop->current_w : 640 * scale;
    const int height = fullscreen ? desktop->current_h : 480 * scale;
    SDL_ShowCursor(SDL_DISABLE);
    const Uint32 flags = fullscreen ? SDL_FULLSCREEN : scale > 1 ? SDL_SWSURFACE : SDL_DOUBLEBUF;
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 0, flags);
    if (!screen) {
        std::fprintf(stderr, "floor: cannot open the %dx%d window: %s\n", width, height,
                     SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Plint", nullptr);

    // A frame in the screen's format, as the game loads its background.
    SDL_Surface* drawn =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xff, 0xff00, 0xff0000, 0);
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
