// The game's art folder: the Media folder the seven images are read from, chosen once at
// start-up, and the full path of each image in it.
#pragma once

#include <string>

// How many folders are looked in; folder 0 is Media under the working directory.
constexpr int mediaFolderCount = 3;

// Called by findMedia and by main's --help: folder i of the search, in order: Media under
// the working directory, the Media folder of the source tree this executable was built in,
// and the installed data folder (share/plint/Media beside the executable's bin folder), both
// found from where the executable lies, so an installed tree works anywhere. The source
// tree's is searched only while the executable lies in its build folder, the installed one
// only once it lies elsewhere. A folder not searched, or whose place cannot be read, is "".
std::string mediaFolder(int i);

// Called once by main at start-up, before the window opens: picks the first folder searched
// that holds any of the game's images. Returns false when none does, after one line on stderr
// saying where it looked; the images then keep their paths under ./Media, all missing.
bool findMedia();

// Called by the asset loaders and for the window icon: the path of `name` under Media (such as
// "Game/wall.png") in the chosen folder; "Media/<name>" before or without a folder found.
std::string mediaPath(const char* name);

// Called by openWindow before the video mode is set: the game's own 32-pixel icon where the
// build or the installation put it, found as the art folders beside the executable are: the
// source tree's packaging/icons while it lies in its build folder, the installed hicolor theme's
// once it lies elsewhere; never beside a Media folder under the working directory. "" on
// Windows, where the executable carries its icon, and when neither folder is searched.
std::string iconPath();
