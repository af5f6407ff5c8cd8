// A tiny PNG writer for tests: 8-bit RGB or RGBA, stored (uncompressed) deflate blocks.
// Lets a test hand the game's loaders an image of exactly the pixels it wants.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <stdlib.h>

namespace testpng {

inline uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline void putBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(uint8_t(value >> shift));
    }
}

inline void putChunk(std::vector<uint8_t>& out, const char* type,
                     const std::vector<uint8_t>& body) {
    putBigEndian(out, uint32_t(body.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBigEndian(out, crc32(typed.data(), typed.size()));
}

// rgba holds width * height pixels of `channels` bytes (3 or 4), row by row.
inline bool write(const std::string& path, int width, int height, int channels,
                  const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        const uint8_t* row = pixels.data() + size_t(y) * width * channels;
        raw.insert(raw.end(), row, row + size_t(width) * channels);
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t len = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + len >= raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(uint8_t(len));
        zlib.push_back(uint8_t(len >> 8));
        zlib.push_back(uint8_t(~len));
        zlib.push_back(uint8_t(~len >> 8));
        zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + len);
        if (last) {
            break;
        }
    }
    putBigEndian(zlib, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    putBigEndian(header, uint32_t(width));
    putBigEndian(header, uint32_t(height));
    header.insert(header.end(), {8, uint8_t(channels == 4 ? 6 : 2), 0, 0, 0});
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}

// A path in the temporary directory that is unique to this test process.
inline std::string tempPath(const std::string& name) {
    static const std::string dir = [] {
        char pattern[] = "/tmp/plint-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir + "/" + name;
}

} // namespace testpng
