// Shared set-up for the tests: SDL's dummy driver with a screen of an explicit depth (its
// default is 8 bits), small surfaces of known pixels, and image files written for a test.
#pragma once

#include "app/frame.h"
#include "app/pixels.h"
#include "overlay/assets.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

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

// A pixel of a 32-bit surface as 0xRRGGBB.
inline Uint32 rgbAt(SDL_Surface* s, int x, int y) {
    return readPixel(s, x, y) & 0xFFFFFF;
}

// Makes a fresh folder with Media/Game and Media/Canopy the working directory, so the game's
// loaders find there what the test writes.
inline void enterScratchFolder() {
    char folder[] = "/tmp/plint-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    ASSERT_EQ(system("mkdir -p Media/Game Media/Canopy"), 0);
}

// Writes an image file (BMP inside, which SDL_image recognises whatever the file's name)
// whose pixel (x, y) is colourOf(x, y), as 0xRRGGBB.
template <class Colour> void writeImage(const std::string& path, int w, int h, Colour colourOf) {
    SDL_Surface* image = sheet(w, h, colourOf);
    ASSERT_EQ(SDL_SaveBMP(image, (path + ".bmp").c_str()), 0) << path;
    SDL_FreeSurface(image);
    // The game reads only PNGs: ImageMagick makes one of the BMP, colour for colour.
    ASSERT_EQ(std::system(("convert " + path + ".bmp png24:" + path).c_str()), 0) << path;
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
