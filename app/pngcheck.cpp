// The PNG header check: a file's first bytes and its chunk headers, read before any decoding.
#include "app/pngcheck.h"

#include <cstdio>
#include <cstring>

// IMG_Load guesses the format from the bytes and would decode a dozen formats besides PNG, and
// libpng decodes whatever size the header states. So the first bytes are read first: only a
// PNG whose header is within the loader's limit reaches IMG_Load.

// ---- State ----------------------------------------------------------------------------------

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

// ---- Helpers --------------------------------------------------------------------------------

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

// ---- Checking -------------------------------------------------------------------------------

// A PNG starts with its 8-byte signature and the IHDR chunk: its length (13), its type, and the
// width and height as 32-bit big-endian numbers. The rest is libpng's to judge.
std::string pngRefusal(const char* fileName, ImageLimit limit) {
    static const unsigned char pngStart[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                               0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    const std::string name = fileName;
    unsigned char head[24] = {};
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        return "cannot load " + name;
    }
    const size_t length = std::fread(head, 1, sizeof head, file);
    const bool chunksFit = length == sizeof head && chunksFitTheFile(file);
    std::fclose(file);
    if (length < 8 || std::memcmp(head, pngStart, 8) != 0) {
        const char* format = formatOf(head, length);
        return name + " is " + (format ? std::string(format) + ", " : "") + "not a PNG";
    }
    if (length < sizeof head || std::memcmp(head, pngStart, sizeof pngStart) != 0) {
        return name + " is a PNG cut short before its size";
    }
    const unsigned long width = bigEndian32(head + 16);
    const unsigned long height = bigEndian32(head + 20);
    if (width > (unsigned long)limit.width || height > (unsigned long)limit.height) {
        return name + " is " + std::to_string(width) + " x " + std::to_string(height) +
               ", larger than the " + std::to_string(limit.width) + " x " +
               std::to_string(limit.height) + " it may be";
    }
    if (!chunksFit) {
        return name + " is a PNG whose chunks run past its end";
    }
    return "";
}
