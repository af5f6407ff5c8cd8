// Finding the game's art: the Media folder chosen at start-up and the paths into it.
#include "app/media.h"

#include <climits>
#include <cstdlib>
#include <cstdio>
#include <sstream>
#include <unistd.h>
#ifdef _WIN32
#include <windows.h>
#endif
#include <vector>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// Relative to the working directory until findMedia chooses, so the images' paths are the
// same as when the game looked nowhere else.
static std::string chosenFolder = "Media";

// From the executable's folder to the source tree's art and to the installed art, worked
// out by the build (for example "../Media" from build/, "../share/plint/Media" from bin/).
static const char* const besideExecutable[mediaFolderCount] = {nullptr, PLINT_SOURCE_MEDIA,
                                                               PLINT_INSTALLED_MEDIA};

// The folder the build put the executable in. Only an executable still lying there can reach
// the source tree's art, and only one that has left it can be an installed one: the other
// path from each place leads nowhere the game's art is (/usr/Media from /usr/games).
static const char* const buildFolder = PLINT_BUILD_FOLDER;

// What the loaders read. A folder counts only when it holds one of these: a folder named
// Media that belongs to someone else (a player's own pictures in the home folder, say)
// must not hide the installed art, while a Media folder holding any of the game's images is
// the game's, and whatever is missing from it shows as missing.
static const char* const gameImages[] = {
    "Game/wall.png",     "Game/background.png",        "Canopy/Font.png",  "Canopy/Button.png",
    "Canopy/Border.png", "Canopy/TopBottomBorder.png", "Canopy/Cursor.png"};

// ---------------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------------

// Empty when the system does not say where the running executable lies.
static std::string executableFolder() {
#ifdef _WIN32
    wchar_t wide[MAX_PATH] = {};
    const DWORD count = GetModuleFileNameW(nullptr, wide, MAX_PATH);
    char path[4 * MAX_PATH] = {};
    if (count == 0 || count >= MAX_PATH ||
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, path, sizeof path, nullptr, nullptr) == 0) {
        return "";
    }
    std::string executable(path);
    for (char& c : executable) {
        c = c == '\\' ? '/' : c;
    }
#else
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return "";
    }
    const std::string executable(path, size_t(length));
#endif
    return executable.substr(0, executable.rfind('/'));
}

// An absolute path without its "." and ".." steps. The executable's folder comes with its
// links resolved, so dropping a step before ".." names the same folder.
static std::string tidied(const std::string& path) {
    std::vector<std::string> steps;
    std::stringstream in(path);
    std::string step;
    while (std::getline(in, step, '/')) {
        if (step == "..") {
            if (!steps.empty()) {
                steps.pop_back();
            }
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
    }
    std::string tidy;
    for (const std::string& kept : steps) {
        tidy += "/" + kept;
    }
#ifdef _WIN32
    if (tidy.size() > 2 && tidy[2] == ':') {
        return tidy.substr(1); // a drive's path, C:/...
    }
#endif
    return tidy.empty() ? "/" : tidy;
}

static bool holdsGameImage(const std::string& folder) {
    for (const char* image : gameImages) {
        const std::string path = folder + "/" + image;
        if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
            std::fclose(file);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Finding the folder
// ---------------------------------------------------------------------------------------------

std::string mediaFolder(int i) {
    if (i == 0) {
        return "Media";
    }
    const std::string executable = executableFolder();
    if (executable.empty()) {
        return "";
    }
    char build[PATH_MAX] = {};
    const bool inBuildFolder = realpath(buildFolder, build) && executable == build;
    if (inBuildFolder != (i == 1)) {
        return "";
    }
    return tidied(executable + "/" + besideExecutable[i]);
}

bool findMedia() {
    std::string tried = "Media under the working directory";
    for (int i = 0; i < mediaFolderCount; ++i) {
        const std::string folder = mediaFolder(i);
        if (folder.empty()) {
            continue;
        }
        if (holdsGameImage(folder)) {
            chosenFolder = folder;
            return true;
        }
        if (i > 0) {
            tried += " or in " + folder;
        }
    }
    std::fprintf(stderr, "plint: no art found in %s; every image is missing\n", tried.c_str());
    return false;
}

std::string mediaPath(const char* name) {
    return chosenFolder + "/" + name;
}
