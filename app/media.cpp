// Finding the game's art: the Media folder chosen at start-up and the paths into it.
#include "app/media.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <sys/stat.h>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#endif

// ---- State ----------------------------------------------------------------------------------

// Relative to the working directory until findMedia chooses, so the images' paths are the
// same as when the game looked nowhere else.
static std::string chosenFolder = "Media";

// From the executable's folder to the source tree's art and to the installed art, worked
// out by the build (for example "../Media" from build/, "../share/plint/Media" from bin/).
static const char* const besideExecutable[mediaFolderCount] = {nullptr, PLINT_SOURCE_MEDIA,
                                                               PLINT_INSTALLED_MEDIA};

// The folder the build put the executable in. Only an executable still there reaches the source
// tree's art, only one that has left it the installed art (/usr/Media from /usr/games is none).
static const char* const buildFolder = PLINT_BUILD_FOLDER;

// What the loaders read. A folder counts only when it holds one of these: someone else's Media
// folder (a player's own pictures in the home folder, say) must not hide the installed art,
// while one holding any of the game's images is the game's, and what it lacks shows missing.
static const char* const gameImages[] = {
    "Game/wall.png",     "Game/background.png",        "Canopy/Font.png",  "Canopy/Button.png",
    "Canopy/Border.png", "Canopy/TopBottomBorder.png", "Canopy/Cursor.png"};

// ---- Helpers --------------------------------------------------------------------------------

// The system's side: where the running executable lies and a folder's path with its links
// resolved, both with '/' between steps; "" when the system does not say. Windows' fopen
// takes its paths in the ANSI code page, so they are kept in that.
#ifdef _WIN32
static std::string withSlashes(const wchar_t* wide) {
    char path[4 * MAX_PATH] = {};
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, nullptr) == 0) {
        return "";
    }
    std::string slashed(path);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    return slashed;
}

static std::string executablePath() {
    wchar_t wide[MAX_PATH] = {};
    const DWORD count = GetModuleFileNameW(nullptr, wide, MAX_PATH);
    return count == 0 || count >= MAX_PATH ? "" : withSlashes(wide);
}

static std::string resolvedPath(const char* path) {
    wchar_t wide[MAX_PATH] = {};
    wchar_t full[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0 ||
        !_wfullpath(full, wide, MAX_PATH)) {
        return "";
    }
    return withSlashes(full);
}
#else
static std::string executablePath() {
    std::error_code unknown;
    return std::filesystem::read_symlink("/proc/self/exe", unknown).string();
}

static std::string resolvedPath(const char* path) {
    std::error_code missing;
    return std::filesystem::canonical(path, missing).string();
}
#endif

// An absolute path without its "." and ".." steps. The executable's folder comes with its
// links resolved, so dropping a step before ".." names the same folder. A path that does not
// start at "/" starts at a drive ("C:/...").
static std::string tidied(const std::string& path) {
    const size_t rootEnd = path[0] == '/' ? 0 : std::min(path.find('/'), path.size());
    std::vector<std::string> steps;
    std::stringstream in(path.substr(rootEnd));
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
    std::string tidy = path.substr(0, rootEnd);
    for (const std::string& kept : steps) {
        tidy += "/" + kept;
    }
    return tidy.size() == rootEnd ? tidy + "/" : tidy;
}

// Only looked at, never opened: a FIFO by an image's name would hold the open until a writer
// came. Whatever bears the name makes the folder the game's; the loader says what is wrong.
static bool holdsGameImage(const std::string& folder) {
    for (const char* image : gameImages) {
        struct stat status;
        if (stat((folder + "/" + image).c_str(), &status) == 0) {
            return true;
        }
    }
    return false;
}

// ---- Finding the folder ---------------------------------------------------------------------

std::string mediaFolder(int i) {
    if (i == 0) {
        return "Media";
    }
    const std::string executable = executablePath();
    const std::string folder = executable.substr(0, executable.rfind('/'));
    const bool inBuildFolder = folder == resolvedPath(buildFolder);
    if (folder.empty() || inBuildFolder != (i == 1)) {
        return "";
    }
    return tidied(folder + "/" + besideExecutable[i]);
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

std::string iconPath() {
#ifdef _WIN32
    return "";
#else
    const std::string source = mediaFolder(1);
    const std::string installed = mediaFolder(2);
    if (!source.empty()) {
        return tidied(source + "/../packaging/icons/32x32/apps/plint.png");
    }
    return installed.empty() ? "" : tidied(installed + "/../../icons/hicolor/32x32/apps/plint.png");
#endif
}
