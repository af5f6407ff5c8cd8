// Plint: start-up and the main loop, the one file that reaches into world/ and overlay/.

#include "app/frame.h"
#include "app/input.h"
#include "app/media.h"
#include "overlay/assets.h"
#include "overlay/fade.h"
#include "overlay/overlay.h"
#include "world/assets.h"
#include "world/player.h"
#include "world/view.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <optional>
#include <string>
#include <tuple>
#ifdef _WIN32
#include <windows.h>
#endif

// ---- Command line ---------------------------------------------------------------------------

static const char* const helpText =
    "Usage: plint [-h | --help | --version]\n"
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

// A Windows player has no terminal: SDL's start-up library sends stdout and stderr to
// stdout.txt and stderr.txt beside plint.exe, so what the player asked for or must know at
// once shows in a message box too.
static void tell(const std::string& text, std::FILE* stream) {
    std::fputs(text.c_str(), stream);
#ifdef _WIN32
    MessageBoxA(nullptr, text.c_str(), "Plint",
                MB_OK | (stream == stderr ? MB_ICONERROR : MB_ICONINFORMATION));
#endif
}

// Left to itself, SDL 1.2 falls back to drawing in the terminal when no window system is
// there, and takes it over; a driver the player names is the player's choice. Windows always
// has a desktop to open a window on.
static bool displayAvailable() {
#ifdef _WIN32
    return true;
#else
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (driver && *driver) || (display && *display) || (wayland && *wayland);
#endif
}

static void printHelp() {
    std::string text = helpText;
    text += "  1. " + mediaFolder(0) + ", in the folder the game is started from\n";
    int shown = 1;
    for (int i = 1; i < mediaFolderCount; ++i) {
        const std::string folder = mediaFolder(i);
        if (!folder.empty()) {
            text += "  " + std::to_string(++shown) + ". " + folder + "\n";
        }
    }
    tell(text, stdout);
}

enum class Answer { Play, Done, Misused };

// The game takes no arguments but these two, which answer without opening a window. The
// first argument that is neither ends the game as GNU programs do, with status 2.
static Answer answerArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            printHelp();
            return Answer::Done;
        }
        if (std::strcmp(argument, "--version") == 0) {
            tell(std::string("plint ") + PLINT_VERSION + "\n", stdout);
            return Answer::Done;
        }
        tell(std::string("plint: ") +
                 (argument[0] == '-' ? "unknown option '" : "unexpected argument '") + argument +
                 "'; see 'plint --help'\n",
             stderr);
        return Answer::Misused;
    }
    return Answer::Play;
}

// ---- Start-up -------------------------------------------------------------------------------

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

// SDL 1.2's compatibility library, left to itself, shows each frame through SDL 2's OpenGL
// renderer, and Mesa then writes a shader cache under $HOME; drawn in software, the frame goes
// to X as a shared-memory image, as the classic library sends it. Both settings are needed: SDL
// 2 would back even a software renderer's window with an OpenGL texture. The classic library
// reads neither; a player's own stands. No audio is started, so no sound server is contacted.
static bool openWindow() {
#ifndef _WIN32
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
#endif
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        tell(std::string("plint: cannot start SDL: ") + SDL_GetError() + "\n", stderr);
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

// An image SDL cannot find memory for is only missing (the loaders say which); the game's own
// tables and paths are not optional, so when they cannot be had the game says so and ends.
static bool hadMemoryFor(void (*step)()) {
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
        std::fputs("plint: not enough memory for the images' paths and tables\n", stderr);
        return false;
    }
}

static void loadAssets() {
    loadWorldAssets();
    loadOverlayAssets();
}

// ---- Main loop ------------------------------------------------------------------------------

// Everything a frame's pixels depend on besides the art and the maze (carved once, before the
// world first draws): the player's pose while the world is drawn, and the overlay's picture.
struct FrameState {
    bool worldShown = false; // the world drew the view: the fade rests at 0, the maze is carved
    double x = 0.0;          // the pose it drew
    double y = 0.0;
    double angle = 0.0;
    OverlayFrame overlay;
};

static bool operator==(const FrameState& a, const FrameState& b) {
    return std::tie(a.worldShown, a.x, a.y, a.angle, a.overlay) ==
           std::tie(b.worldShown, b.x, b.y, b.angle, b.overlay);
}

static std::optional<FrameState> lastShown; // none before the first pass

// Every update runs before anything is drawn, in the order the world and the overlay would
// run: the world only while the overlay is wholly gone (the fade rests on exactly 0.0; any
// other level shows the frozen frame instead). An unchanged frame is neither drawn nor
// flipped: the screen still holds it, and is shown again only when the window system lost it.
static void runPass() {
    const Uint32 frameStart = SDL_GetTicks();
    SDL_PumpEvents();
    updateInput();
    FrameState state;
    state.worldShown = fadeLevel == 0.0 && updateWorld();
    if (state.worldShown) {
        state.x = playerX;
        state.y = playerY;
        state.angle = playerAngle;
    }
    state.overlay = updateOverlay();
    const bool changed = !lastShown || !(state == *lastShown);
    if (changed) {
        if (state.worldShown) {
            drawWorld();
        }
        drawOverlay(state.overlay);
        lastShown = state;
    }
    if (changed || screenExposed) {
        SDL_Flip(screen);
        screenExposed = false;
    }
    drainEvents();
    paceFrame(frameStart);
}

int main(int argc, char** argv) {
    const Answer answer = answerArguments(argc, argv);
    if (answer != Answer::Play) {
        return answer == Answer::Done ? 0 : 2;
    }
    if (!displayAvailable()) {
        std::fputs("plint: no display to open a window on\n", stderr);
        return 1;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Before the window: the window's icon lies beside the art.
    if (!hadMemoryFor([] { findMedia(); }) || !openWindow() || !hadMemoryFor(loadAssets)) {
        return 1;
    }
    while (!quitRequested) {
        runPass();
    }
    return 0;
}
