// The command line: --help, --version and wrong arguments, and how the game tells the player.
#include "app/cli.h"

#include "app/media.h"

#include <cerrno>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

// ---- State ----------------------------------------------------------------------------------

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

// ---- Helpers --------------------------------------------------------------------------------

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

// The game takes no arguments but these two, which answer without opening a window. The
// first argument that is neither ends the game as GNU programs do, with status 2.
Answer answerArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
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
