// Finding the game's art: the Media folder chosen at start-up and the paths into it.
#include "app/media.h"

#include <cstdio>

// ---------------------------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------------------------

// The last two are compiled in by the build: the source tree's art serves a build started
// from anywhere, the installed art an installed game.
const char* const mediaFolders[mediaFolderCount] = {"Media", PLINT_SOURCE_MEDIA,
                                                    PLINT_INSTALLED_MEDIA};

// Relative to the working directory until findMedia chooses, so the images' paths are the
// same as when the game looked nowhere else.
static const char* chosenFolder = "Media";

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

static bool holdsGameImage(const char* folder) {
    for (const char* image : gameImages) {
        const std::string path = std::string(folder) + "/" + image;
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

bool findMedia() {
    for (const char* folder : mediaFolders) {
        if (holdsGameImage(folder)) {
            chosenFolder = folder;
            return true;
        }
    }
    std::fprintf(stderr,
                 "plint: no art found in Media under the working directory, in %s or in %s; "
                 "every image is missing\n",
                 mediaFolders[1], mediaFolders[2]);
    return false;
}

std::string mediaPath(const char* name) {
    return std::string(chosenFolder) + "/" + name;
}
