// Opening an image file before it is decoded: only a regular file of a plausible size is read,
// and only a PNG whose header is within the loader's limit is handed on.
#include "app/pngcheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// IMG_Load guesses the format from the bytes and would decode a dozen formats besides PNG, and
// libpng decodes whatever size the header states. So the file's first bytes and chunk headers
// are read first, and only a PNG whose header is within the loader's limit reaches the PNG
// decoder, through the very descriptor checked: a file swapped between the check and the
// decoding cannot slip through.

// ---- State ----------------------------------------------------------------------------------

// A FIFO would block the open until a writer came and a read for ever after, and a terminal
// would become the game's; a descriptor opened without waiting is looked at before any read.
#ifdef _WIN32
static const int openFlags = O_RDONLY | O_BINARY;
#else
static const int openFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#endif

// The part of a file the chunk walk has read, from windowStart on.
static unsigned char chunkWindow[65536];

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
// 200-byte file claiming 2 GB would hold start-up for seconds: every chunk must end within the
// file, and the file must have an IEND. Each chunk is at least 12 bytes and the size check
// bounded the file, so the walk is bounded too; headers are read 64 kB at a time, so a file
// packed with empty chunks costs a few reads rather than a seek per chunk (seconds for 11 MB).
static bool chunksFitTheFile(std::FILE* file, unsigned long long size) {
    unsigned long long windowStart = 0;
    size_t windowLength = 0;
    unsigned long long at = 8;
    while (at + 12 <= size) {
        if (at < windowStart || at + 8 > windowStart + windowLength) {
            if (std::fseek(file, (long)at, SEEK_SET) != 0) {
                return false;
            }
            windowStart = at;
            windowLength = std::fread(chunkWindow, 1, sizeof chunkWindow, file);
            if (windowLength < 8) {
                return false;
            }
        }
        const unsigned char* header = chunkWindow + (at - windowStart);
        const unsigned long length = bigEndian32(header);
        if (length > size - at - 12) {
            return false;
        }
        if (std::memcmp(header + 4, "IEND", 4) == 0) {
            return true;
        }
        at += 12 + length;
    }
    return false;
}

// What a path names that is not a regular file, by the type stat gives it.
static const char* kindOf(unsigned mode) {
    if (S_ISDIR(mode)) {
        return "a directory";
    }
#ifdef S_ISFIFO
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
#endif
#ifdef S_ISSOCK
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
#endif
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    return "something other than a file";
}

// Why the open failed, said of the file; a socket refuses to be opened at all (ENXIO), so what
// it is comes from stat.
static std::string openRefusal(const std::string& name, int error) {
    struct stat status;
    if (error == ENOENT) {
        return name + " is missing";
    }
    if (error == EACCES) {
        return name + " cannot be read (permission denied)";
    }
#ifdef ELOOP
    if (error == ELOOP) {
        return name + " is a loop of symbolic links";
    }
#endif
    if (stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return name + " is " + kindOf(status.st_mode) + ", not a file";
    }
    return name + " cannot be read (" + std::strerror(error) + ")";
}

// The most bytes a PNG within `limit` holds: 16-bit RGBA stored without compression, a filter
// byte and Adam7's extra ones per row, deflate's block headers, and a megabyte of chunks that
// are not pixels (colour profiles, text). Real art is a small fraction of it.
static unsigned long long largestPng(ImageLimit limit) {
    const unsigned long long pixels = (unsigned long long)limit.height * (8ull * limit.width + 8);
    return pixels + pixels / 64 + (1ull << 20);
}

// A PNG starts with its 8-byte signature and the IHDR chunk: its length (13), its type, and the
// width and height as 32-bit big-endian numbers. The rest is libpng's to judge.
static std::string headerRefusal(const std::string& name, std::FILE* file, unsigned long long size,
                                 ImageLimit limit) {
    static const unsigned char pngStart[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                               0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    unsigned char head[24] = {};
    const size_t length = std::fread(head, 1, sizeof head, file);
    if (length == 0) {
        return name + " is empty, not a PNG";
    }
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
    if (!chunksFitTheFile(file, size)) {
        return name + " is a PNG whose chunks run past its end";
    }
    return "";
}

// ---- Opening --------------------------------------------------------------------------------

// The descriptor opened is the one looked at, walked and handed on, so a file swapped for
// another between the check and the decoding is never decoded.
std::string openPng(const char* fileName, ImageLimit limit, std::FILE*& png) {
    const std::string name = fileName;
    png = nullptr;
    const int descriptor = open(fileName, openFlags);
    if (descriptor < 0) {
        return openRefusal(name, errno);
    }
    struct stat status;
    std::FILE* file = nullptr;
    std::string refusal;
    if (fstat(descriptor, &status) != 0) {
        refusal = name + " cannot be read (" + std::strerror(errno) + ")";
    } else if (!S_ISREG(status.st_mode)) {
        refusal = name + " is " + kindOf(status.st_mode) + ", not a file";
    } else if ((unsigned long long)status.st_size > largestPng(limit)) {
        refusal = name + " is " + std::to_string((unsigned long long)status.st_size) +
                  " bytes, more than any " + std::to_string(limit.width) + " x " +
                  std::to_string(limit.height) + " PNG needs";
    } else if (!(file = fdopen(descriptor, "rb"))) {
        refusal = name + " cannot be read (" + std::strerror(errno) + ")";
    } else {
        refusal = headerRefusal(name, file, (unsigned long long)status.st_size, limit);
    }
    if (!refusal.empty() || std::fseek(file, 0, SEEK_SET) != 0) {
        if (file) {
            std::fclose(file);
        } else {
            close(descriptor);
        }
        return refusal.empty() ? name + " cannot be read (" + std::strerror(errno) + ")" : refusal;
    }
    png = file;
    return "";
}
