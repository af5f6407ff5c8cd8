// Loading the game's PNG images and blitting them, or cells of them, onto the screen.
#include "app/image.h"

#include "app/frame.h"
#include "app/pixels.h"

#include <SDL_image.h>
#include <cstdio>
#include <cstring>

// ---- Looking before decoding ----------------------------------------------------------------

// IMG_Load guesses the format from the bytes and would decode a dozen formats besides PNG, and
// libpng decodes whatever size the header states. So the first bytes are read first: only a
// PNG whose header is within the loader's limit reaches IMG_Load.

static char failure[600] = "";

const char* loadFailure() {
    return failure;
}

// The formats SDL_image would take in a PNG's place, by the bytes they start with; the
// first match names it. TGA has no signature and is only "not a PNG".
struct Signature {
    const char* format;
    size_t at;
    size_t length;
    const char* bytes;
};
static const Signature otherFormats[] = {
    {"a BMP", 0, 2, "BM"},
    {"a GIF", 0, 4, "GIF8"},
    {"a JPEG", 0, 3, "\xff\xd8\xff"},
    {"an LBM", 0, 4, "FORM"},
    {"an XV thumbnail", 0, 6, "P7 332"},
    {"a PNM", 0, 2, "P1"},
    {"a PNM", 0, 2, "P2"},
    {"a PNM", 0, 2, "P3"},
    {"a PNM", 0, 2, "P4"},
    {"a PNM", 0, 2, "P5"},
    {"a PNM", 0, 2, "P6"},
    {"a TIFF", 0, 4, "II*\0"},
    {"a TIFF", 0, 4, "MM\0*"},
    {"a WebP", 8, 4, "WEBP"},
    {"an XCF", 0, 9, "gimp xcf "},
    {"an XPM", 0, 9, "/* XPM */"},
    {"an ICO", 0, 5, "\0\0\1\0\1"},
    {"a CUR", 0, 5, "\0\0\2\0\1"},
    {"a PCX", 0, 1, "\x0a"},
};

static const char* formatOf(const unsigned char* head, size_t length) {
    for (const Signature& s : otherFormats) {
        if (length >= s.at + s.length && std::memcmp(head + s.at, s.bytes, s.length) == 0) {
            return s.format;
        }
    }
    return nullptr;
}

static unsigned long bigEndian32(const unsigned char* bytes) {
    return (unsigned long)bytes[0] << 24 | (unsigned long)bytes[1] << 16 |
           (unsigned long)bytes[2] << 8 | (unsigned long)bytes[3];
}

// libpng skips a chunk it does not keep by reading as many bytes as the chunk claims, so a
// 200-byte file claiming 2 GB would hold start-up for seconds. Walking the headers costs a seek
// each: a file whose chunks do not end within it, or that has no IEND, is refused.
static bool chunksFitTheFile(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return false;
    }
    const long size = std::ftell(file);
    long at = 8;
    unsigned char header[8];
    while (at + 12 <= size) {
        if (std::fseek(file, at, SEEK_SET) != 0 || std::fread(header, 1, 8, file) != 8) {
            return false;
        }
        const unsigned long length = bigEndian32(header);
        if (length > (unsigned long)(size - at - 12)) {
            return false;
        }
        if (std::memcmp(header + 4, "IEND", 4) == 0) {
            return true;
        }
        at += 12 + (long)length;
    }
    return false;
}

// A PNG starts with its 8-byte signature and the IHDR chunk: its length (13), its type, and the
// width and height as 32-bit big-endian numbers. The rest is libpng's to judge.
static bool lookBeforeDecoding(const char* fileName, ImageLimit limit) {
    static const unsigned char pngStart[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                               0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    unsigned char head[24] = {};
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        std::snprintf(failure, sizeof failure, "cannot load %s", fileName);
        return false;
    }
    const size_t length = std::fread(head, 1, sizeof head, file);
    const bool chunksFit = length == sizeof head && chunksFitTheFile(file);
    std::fclose(file);
    if (length < 8 || std::memcmp(head, pngStart, 8) != 0) {
        const char* format = formatOf(head, length);
        std::snprintf(failure, sizeof failure, "%s is %s%snot a PNG", fileName,
                      format ? format : "", format ? ", " : "");
        return false;
    }
    if (length < sizeof head || std::memcmp(head, pngStart, sizeof pngStart) != 0) {
        std::snprintf(failure, sizeof failure, "%s is a PNG cut short before its size", fileName);
        return false;
    }
    const unsigned long width = bigEndian32(head + 16);
    const unsigned long height = bigEndian32(head + 20);
    if (width > (unsigned long)limit.width || height > (unsigned long)limit.height) {
        std::snprintf(failure, sizeof failure, "%s is %lu x %lu, larger than the %d x %d it may be",
                      fileName, width, height, limit.width, limit.height);
        return false;
    }
    if (!chunksFit) {
        std::snprintf(failure, sizeof failure, "%s is a PNG whose chunks run past its end",
                      fileName);
        return false;
    }
    return true;
}

// ---- Loading --------------------------------------------------------------------------------

// The key is mapped into the converted surface's format, so on a display with fewer bits per
// channel every colour that reduces to cyan's pixel value is transparent too.
static SDL_Surface* loadConverted(const char* fileName, ImageLimit limit, bool keepAlpha) {
    if (!lookBeforeDecoding(fileName, limit)) {
        return nullptr;
    }
    SDL_Surface* loaded = IMG_Load(fileName);
    if (!loaded) {
        std::snprintf(failure, sizeof failure, "cannot load %s (%s)", fileName, IMG_GetError());
        return nullptr;
    }
    SDL_Surface* converted = keepAlpha ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
    if (!converted) {
        std::snprintf(failure, sizeof failure, "cannot convert %s to the display's format (%s)",
                      fileName, SDL_GetError());
    } else if (!keepAlpha) {
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY, SDL_MapRGB(converted->format, 0, 255, 255));
    }
    SDL_FreeSurface(loaded);
    return converted;
}

SDL_Surface* loadImage(const char* fileName, ImageLimit limit) {
    return loadConverted(fileName, limit, false);
}

SDL_Surface* loadAlphaImage(const char* fileName, ImageLimit limit) {
    return loadConverted(fileName, limit, true);
}

// ---- Drawing --------------------------------------------------------------------------------

// SDL rewrites the destination rectangle when it clips, so every blit gets a fresh one. A null
// sheet never reaches SDL: the compatibility library does not refuse every one as classic does.
void blitCell(SDL_Surface* sheet, const SDL_Rect* cell, int x, int y) {
    if (!sheet) {
        return;
    }
    SDL_Rect at = makeRect(x, y, 0, 0);
    SDL_Rect from = cell ? *cell : makeRect(0, 0, sheet->w, sheet->h);
    SDL_BlitSurface(sheet, &from, screen, &at);
}
