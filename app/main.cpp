// Plint: start-up and the main loop, the one file that reaches into world/ and overlay/.

#include "app/frame.h"
#include "app/input.h"
#include "app/media.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/overlay.h"
#include "world/assets.h"
#include "world/view.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#ifdef _WIN32
#include <windows.h>
#endif

// ---------------------------------------------------------------------------------------------
// Command line
// ---------------------------------------------------------------------------------------------

static const char* const helpText =
    "Usage: plint [--help | --version]\n"
    "\n"
    "Plint: walk a random maze in first person; every run carves a new one.\n"
    "\n"
    "Controls:\n"
    "  W or Up arrow         walk forward\n"
    "  S or Down arrow       walk back\n"
    "  A or Left arrow       step left\n"
    "  D or Right arrow      step right\n"
    "  mouse left or right   turn the view; the further from the centre, the faster\n"
    "  right button held     hold the view still while the mouse moves\n"
    "  Escape                pause, or resume from the pause menu\n"
    "  left click            \"Resume game\" or \"Exit\" in the pause menu\n"
    "  closing the window    ends the game\n"
    "\n"
    "Art: the images are read from the first of these folders that holds any of them:\n";

static void printHelp() {
    std::fputs(helpText, stdout);
    std::printf("  1. %s, in the folder the game is started from\n", mediaFolder(0).c_str());
    for (int i = 1; i < mediaFolderCount; ++i) {
        std::printf("  %d. %s\n", i + 1, mediaFolder(i).c_str());
    }
    std::printf("\nAny other argument is ignored.\n");
}

// The game takes no options: these two answer without opening a window, and every other
// argument is ignored. True when one of them was answered.
static bool answerArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printHelp();
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("plint %s\n", PLINT_VERSION);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------------------------

// SDL_INIT_EVERYTHING reports failure on machines without sound or a joystick although
// video works, so its result decides nothing: opening the video mode does.
// When video did not start (short of memory, say), SDL_SetVideoMode would start it again over
// what the failed start left, and SDL 1.2's X11 driver can crash doing so: the game says why
// and ends instead.
static bool openWindow() {
    SDL_Init(SDL_INIT_EVERYTHING);
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        std::fprintf(stderr, "plint: cannot open the 640x480 window: %s\n", SDL_GetError());
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    screen = SDL_SetVideoMode(640, 480, 0, SDL_DOUBLEBUF);
    if (!screen) {
        std::fprintf(stderr, "plint: cannot open the 640x480 window: %s\n", SDL_GetError());
#ifdef _WIN32
        // A Windows player has no terminal: stderr goes to stderr.txt, so say it where it shows.
        char text[512];
        std::snprintf(text, sizeof text, "Cannot open the 640x480 window: %s", SDL_GetError());
        MessageBoxA(nullptr, text, "Plint", MB_OK | MB_ICONERROR);
#endif
        return false;
    }
    SDL_WM_SetCaption("Plint", nullptr);
    return true;
}

// An image SDL cannot find memory for is only missing (the loaders say which); the game's own
// tables and paths are not optional, so when they cannot be had the game says so and ends.
static bool loadAssets() {
    try {
        findMedia();
        loadWorldAssets();
        loadOverlayAssets();
        return true;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "plint: not enough memory for the images' paths and tables\n");
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Main loop
// ---------------------------------------------------------------------------------------------

// The world runs only while the overlay is wholly gone: the fade rests on exactly 0.0, and
// any other level shows the frozen frame instead.
static void runPass() {
    const Uint32 frameStart = SDL_GetTicks();
    SDL_PumpEvents();
    updateInput();
    if (fadeLevel == 0.0) {
        runWorldFrame();
    }
    runOverlayFrame();
    SDL_Flip(screen);
    drainEvents();
    paceFrame(frameStart);
}

int main(int argc, char** argv) {
    if (answerArguments(argc, argv)) {
        return 0;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!openWindow()) {
        return 1;
    }
    if (!loadAssets()) {
        return 1;
    }
    while (!quitRequested) {
        runPass();
    }
    return 0;
}
