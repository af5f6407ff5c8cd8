// Opening an image file before it is decoded: only a regular file of a plausible size that is a
// PNG within the loader's limit by its header is handed on; everything else is named with why.
#pragma once

#include <cstdio>
#include <string>

// The most of an image the game decodes, in pixels: about twice what each loader reads on each
// side, so art drawn a little large still loads while a picture that would only cost memory and
// time is refused undecoded (at most width x height x 4 bytes, and its display copy again).
struct ImageLimit {
    int width;
    int height;
};

// Called by the image loaders before decoding: opens fileName and returns "" with `png` at the
// file's start, owned by the caller, when it is a regular file no larger than a PNG within
// `limit` could be, and a PNG within `limit` by its header whose chunks all end within it.
// Otherwise `png` is null and the answer says why, naming the file: "Media/Game/wall.png is a
// BMP, not a PNG", "... is a FIFO, not a file", "... is missing", "... cannot be read
// (permission denied)". Never waits on a FIFO or a device; reads nothing of a file too large.
std::string openPng(const char* fileName, ImageLimit limit, std::FILE*& png);
