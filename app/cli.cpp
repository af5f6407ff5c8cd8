// The command line: --help, --version and wrong arguments, and how the game tells the player.
#include "app/cli.h"

#include "app/media.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

// ---- State ----------------------------------------------------------------------------------

WindowChoice windowChoice = {};

static const char* const helpText =
    "Usage: plint [--fullscreen] [--scale N]\n"
    "       plint -h | --help | --version\n"
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
    "  Alt+Enter or F11      the whole screen, or back to the window\n"
    "  closing the window    ends the game\n"
    "\n"
    "Display: the picture is 640 x 480, each of its pixels shown as a sharp square.\n"
    "  --scale N             a window N times as large, N from 1 to what the screen holds\n"
    "  --fullscreen          start on the whole screen, the picture as large as it fits\n"
    "\n"
    "Art: the images are read from the first of these folders that holds any of them:\n";

// ---- Helpers --------------------------------------------------------------------------------

// A window scale as the player typed it: a whole number from 1 up and nothing else (bounded, so
// sizes cannot overflow), or 0. Whether it fits the screen is for the window's start-up to say.
static int readScale(const char* text) {
    char* end = nullptr;
    const long scale = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && text[0] != '+' && text[0] != ' ' && scale >= 1 &&
                   scale <= 10000
               ? int(scale)
               : 0;
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

// An answer cut short must not pass for one given: a script reading `plint --version` from a
// full disk or a closed pipe would take nothing for the version.
static Answer written() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return Answer::Done;
    }
    std::fprintf(stderr, "plint: write error: %s\n", std::strerror(errno));
    return Answer::Unwritten;
}

// ---- Command line ---------------------------------------------------------------------------

// A Windows player has no terminal: SDL's start-up library sends stdout and stderr to
// stdout.txt and stderr.txt beside plint.exe, so what the player asked for or must know at
// once shows in a message box too.
void tell(const std::string& text, std::FILE* stream) {
    std::fputs(text.c_str(), stream);
#ifdef _WIN32
    MessageBoxA(nullptr, text.c_str(), "Plint",
                MB_OK | (stream == stderr ? MB_ICONERROR : MB_ICONINFORMATION));
#endif
}

// --help and --version answer without opening a window; --scale N (or --scale=N) and
// --fullscreen say how to open it. The first argument that is none of these ends the game as
// GNU programs do, with status 2.
Answer answerArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--fullscreen") == 0) {
            windowChoice.fullscreen = true;
            continue;
        }
        if (std::strcmp(argument, "--scale") == 0 || std::strncmp(argument, "--scale=", 8) == 0) {
            const char* value = argument[7] == '=' ? argument + 8 : i + 1 < argc ? argv[++i] : "";
            windowChoice.scale = readScale(value);
            if (windowChoice.scale == 0) {
                tell(std::string("plint: --scale takes a whole number from 1 up, not '") + value +
                         "'; see 'plint --help'\n",
                     stderr);
                return Answer::Misused;
            }
            continue;
        }
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            printHelp();
            return written();
        }
        if (std::strcmp(argument, "--version") == 0) {
            tell(std::string("plint ") + PLINT_VERSION + "\n", stdout);
            return written();
        }
        tell(std::string("plint: ") +
                 (argument[0] == '-' ? "unknown option '" : "unexpected argument '") + argument +
                 "'; see 'plint --help'\n",
             stderr);
        return Answer::Misused;
    }
    return Answer::Play;
}
