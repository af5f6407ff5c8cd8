// Shared set-up for tests that need SDL: the dummy video driver with a screen of a chosen
// depth, and small surfaces to draw on.
#pragma once

#include "app/frame.h"

#include <SDL.h>
#include <gtest/gtest.h>

// Opens the 640 x 480 screen at an explicit depth (the dummy driver defaults to 8 bits)
// and points the game's `screen` at it. SDL is shut down after each test.
class SdlScreenTest : public ::testing::Test {
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
    Uint32 r = 0, g = 0, b = 0;
    switch (bitsPerPixel) {
    case 16:
        r = 0xF800, g = 0x07E0, b = 0x001F;
        break;
    case 24:
    case 32:
        r = 0xFF0000, g = 0x00FF00, b = 0x0000FF;
        break;
    default:
        break;
    }
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bitsPerPixel, r, g, b, 0);
}
