// Looking at an image file before it is decoded: only a PNG whose header is within the
// loader's limit is handed on, and everything else is named with the reason.
#pragma once

#include <string>

// The most of an image the game decodes, in pixels: about twice what each loader reads on each
// side, so art drawn a little large still loads while a picture that would only cost memory and
// time is refused undecoded (at most width x height x 4 bytes, and its display copy again).
struct ImageLimit {
    int width;
    int height;
};

// Called by the image loaders before decoding: "" when fileName is a PNG within `limit` by its
// header whose chunks all end within the file; otherwise why not, naming the file, such as
// "Media/Game/wall.png is a BMP, not a PNG".
std::string pngRefusal(const char* fileName, ImageLimit limit);
