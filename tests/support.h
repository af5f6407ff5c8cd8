// Shared set-up for the tests: SDL's dummy driver with a screen of an explicit depth (its
// default is 8 bits), small surfaces of known pixels, and image files written for a test.
#pragma once

#include "app/frame.h"
#include "app/pixels.h"
#include "overlay/assets.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

// Opens the 640 x 480 screen at the given depth and points the game's `screen` at it; SDL
// is shut down after each test.
class ScreenTest : public ::testing::Test {
  protected:
    void openScreen(int bitsPerPixel) {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        screen = SDL_SetVideoMode(640, 480, bitsPerPixel, 0);
        ASSERT_NE(screen, nullptr) << SDL_GetError();
        ASSERT_EQ(screen->format->BitsPerPixel, bitsPerPixel);
    }
    void TearDown() override {
        screen = nullptr;
        SDL_Quit();
    }
};

// True when the classic SDL 1.2 runs the tests, not the compatibility library over SDL 2
// (1.2.50 and up): only the classic library can be the oracle for its own arithmetic.
inline bool classicSdl() {
    return SDL_Linked_Version()->patch < 50;
}

// A software surface of the given depth with the usual channel masks for it.
inline SDL_Surface* makeSurface(int width, int height, int bitsPerPixel) {
    const bool sixteen = bitsPerPixel == 16;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bitsPerPixel,
                                sixteen ? 0xF800 : 0xFF0000, sixteen ? 0x07E0 : 0x00FF00,
                                sixteen ? 0x001F : 0x0000FF, 0);
}

// A 32-bit surface whose pixel (x, y) is colourOf(x, y), as 0xRRGGBB.
template <class Colour> SDL_Surface* sheet(int w, int h, Colour colourOf) {
    SDL_Surface* s = makeSurface(w, h, 32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            writePixel(s, x, y, Uint32(colourOf(x, y)));
        }
    }
    return s;
}

// Every raw pixel of a surface, row by row; and those pixels written back.
inline std::vector<Uint32> rawPixels(SDL_Surface* s) {
    std::vector<Uint32> pixels;
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            pixels.push_back(readPixel(s, x, y));
        }
    }
    return pixels;
}

inline void restorePixels(SDL_Surface* s, const std::vector<Uint32>& pixels) {
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            writePixel(s, x, y, pixels[size_t(y) * size_t(s->w) + size_t(x)]);
        }
    }
}

// A pixel of a 32-bit surface as 0xRRGGBB.
inline Uint32 rgbAt(SDL_Surface* s, int x, int y) {
    return readPixel(s, x, y) & 0xFFFFFF;
}

// Makes a fresh folder with Media/Game and Media/Canopy the working directory, so the game's
// loaders find there what the test writes.
inline void enterScratchFolder() {
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "plint-test-XXXXXX").string();
#ifdef _WIN32
    ASSERT_NE(_mktemp(folder.data()), nullptr);
    ASSERT_TRUE(fs::create_directory(folder)) << folder;
#else
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
#endif
    fs::current_path(folder);
    fs::create_directories("Media/Game");
    fs::create_directories("Media/Canopy");
}

// Writes an RGB PNG whose pixel (x, y) is colourOf(x, y), as 0xRRGGBB; or with alpha, RGBA
// from 0xAARRGGBB.
template <class Colour>
void writeImage(const std::string& path, int w, int h, Colour colourOf, bool alpha = false) {
    const size_t channels = alpha ? 4 : 3;
    std::vector<png_byte> rgb(size_t(w) * size_t(h) * channels);
    for (size_t i = 0; i < rgb.size(); i += channels) {
        const size_t n = i / channels;
        const Uint32 colour = Uint32(colourOf(int(n % size_t(w)), int(n / size_t(w))));
        rgb[i] = png_byte(colour >> 16);
        rgb[i + 1] = png_byte(colour >> 8);
        rgb[i + 2] = png_byte(colour);
        if (alpha) {
            rgb[i + 3] = png_byte(colour >> 24);
        }
    }
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(w);
    png.height = png_uint_32(h);
    png.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    ASSERT_NE(png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr), 0)
        << path << ": " << png.message;
}

// The overlay over a cleared 32-bit screen, with its tables filled and, once the game's own
// art is seen to load, no art: a test puts in the sheets it needs.
class OverlayTest : public ScreenTest {
  protected:
    void openOverlay(int bitsPerPixel = 32) {
        openScreen(bitsPerPixel);
        loadOverlayAssets();
        for (SDL_Surface** art :
             {&fontSurface, &buttonSurface, &borderSurface, &barsSurface, &cursorSurface}) {
            EXPECT_NE(*art, nullptr) << "a sheet of the overlay's art in Media/ did not load";
            SDL_FreeSurface(*art);
            *art = nullptr;
        }
        SDL_FillRect(screen, nullptr, 0);
    }
};
