// Reading an image file before it is decoded: only a regular file of a plausible size that is a
// PNG within the loader's limit by its header is handed on; everything else is named with why.
#pragma once

#include <string>
#include <vector>

// The most of an image the game decodes, in pixels: about twice what each loader reads on each
// side, so art drawn a little large still loads while a picture that would only cost memory and
// time is refused undecoded (at most width x height x 4 bytes, and its display copy again).
struct ImageLimit {
    int width;
    int height;
};

// Called by the image loaders before decoding: fills `bytes` with the whole of fileName and
// returns "" when it is a regular file no larger than a PNG within `limit` could be, and a PNG
// within `limit` by its header whose chunks all end within it. Otherwise `bytes` is left empty
// and the answer says why, naming the file: "Media/Game/wall.png is a BMP, not a PNG", "... is
// a FIFO, not a file", "... is missing", "... cannot be read (permission denied)". Never waits
// on a FIFO or a device, and reads nothing of a file too large.
std::string readPng(const char* fileName, ImageLimit limit, std::vector<unsigned char>& bytes);
