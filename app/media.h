// The game's art folder: the Media folder the seven images are read from, chosen once at
// start-up, and the full path of each image in it.
#pragma once

#include <string>

// The folders looked in, in order: Media under the working directory, the Media folder of
// the source tree this executable was built from, and the installed data folder; main's
// --help lists them. Static strings, never freed.
constexpr int mediaFolderCount = 3;
extern const char* const mediaFolders[mediaFolderCount];

// Called once by main at start-up, before the asset loaders: picks the first of
// mediaFolders that holds any of the game's images. Returns false when none does, after
// one line on stderr that says where it looked; the images then keep their paths under
// "Media" in the working directory, and every one of them is missing.
bool findMedia();

// Called by the asset loaders: the path of `name`, given under Media (such as
// "Game/wall.png"), in the chosen folder; "Media/<name>" before findMedia has run or when
// it found nothing.
std::string mediaPath(const char* name);
