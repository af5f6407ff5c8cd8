// Finding the game's art: the Media folder chosen at start-up and the paths into it.
#include "app/media.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#endif

// ---- State ----------------------------------------------------------------------------------

// Relative to the working directory until findMedia chooses, so the images' paths are the
// same as when the game looked nowhere else.
static std::string chosenFolder = "Media";

// From the executable's folder to the installed art, worked out by the build (for example
// "../share/plint/Media" from bin/).
static const char* const installedMedia = PLINT_INSTALLED_MEDIA;

// The build leaves this note beside the executable in its build folder, and never installs it:
// the way from there to the source tree's art ("../Media" from build/, say). Only an
// executable beside it reaches the source tree's art, only one without it the installed art
// (/usr/Media from /usr/games is none), and the game holds no path of the machine it was built on.
static const char* const sourceMediaNote = "plint-source-media";

// What the loaders read. A folder counts only when it holds one of these: someone else's Media
// folder (a player's own pictures in the home folder, say) must not hide the installed art,
// while one holding any of the game's images is the game's, and what it lacks shows missing.
static const char* const gameImages[] = {
    "Game/wall.png",     "Game/background.png",        "Canopy/Font.png",  "Canopy/Button.png",
    "Canopy/Border.png", "Canopy/TopBottomBorder.png", "Canopy/Cursor.png"};

// ---- Helpers --------------------------------------------------------------------------------

// The system's side: where the running executable lies and a path without its "." and ".."
// steps, both with '/' between steps; "" when the system does not say. Windows' fopen
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

// _wfullpath drops the "." and ".." steps as it goes; std::filesystem would first turn the
// path into UTF-16 by its own guess of the code page.
static std::string withoutDotSteps(const std::string& path) {
    wchar_t wide[MAX_PATH] = {};
    wchar_t full[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0 ||
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

// The executable's folder comes with its links resolved, so dropping the step before a ".."
// names the same folder.
static std::string withoutDotSteps(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}
#endif

// The note's line beside the executable in folder, or "" where there is none.
static std::string noteBeside(const std::string& folder) {
    const std::string path = folder + "/" + sourceMediaNote;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return "";
    }
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    std::string way = read ? line : "";
    way.erase(std::find(way.begin(), way.end(), '\n'), way.end());
    return way;
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
    if (folder.empty()) {
        return "";
    }
    const std::string toSource = noteBeside(folder);
    const std::string way = i == 1 ? toSource : toSource.empty() ? installedMedia : "";
    return way.empty() ? "" : withoutDotSteps(folder + "/" + way);
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
        return withoutDotSteps(source + "/../packaging/icons/32x32/apps/plint.png");
    }
    return installed.empty()
               ? ""
               : withoutDotSteps(installed + "/../../icons/hicolor/32x32/apps/plint.png");
#endif
}
