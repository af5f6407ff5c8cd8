#include "app/pixels.h"
#include "png_writer.h"
#include "sdl_test_support.h"
#include "world/assets.h"
#include "world/player.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The loader reads fixed paths under the working directory, so each test builds its own
// Media folder in a fresh temporary directory and works from there.
class WorldAssetsTest : public SdlScreenTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        root = testpng::tempPath("world");
        mkdir(root.c_str(), 0700);
        mkdir((root + "/Media").c_str(), 0700);
        mkdir((root + "/Media/Game").c_str(), 0700);
        ASSERT_EQ(chdir(root.c_str()), 0);
    }
    void writeImage(const char* name, int w, int h, const std::vector<uint8_t>& rgb) {
        ASSERT_TRUE(testpng::write(root + "/Media/Game/" + name, w, h, 3, rgb));
    }
    std::string root;
};

// A pattern that tells every texel apart, with a cyan texel at (5, 5) and a magenta
// margin right of column 399 and below row 257.
std::vector<uint8_t> patternedWall(int w, int h) {
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            uint8_t* p = &rgb[(size_t(r) * w + c) * 3];
            const bool margin = c >= 400 || r >= 258;
            p[0] = margin ? 255 : uint8_t(c * 7);
            p[1] = margin ? 0 : uint8_t(r * 3);
            p[2] = margin ? 255 : uint8_t(c + r);
        }
    }
    uint8_t* cyan = &rgb[(5 * size_t(w) + 5) * 3];
    cyan[0] = 0, cyan[1] = 255, cyan[2] = 255;
    return rgb;
}

// The colour a texel should hold: the file's colour as the display reproduces it.
void expectTexel(int c, int r, uint8_t red, uint8_t green, uint8_t blue) {
    Uint8 er = 0, eg = 0, eb = 0;
    SDL_GetRGB(SDL_MapRGB(screen->format, red, green, blue), screen->format, &er, &eg, &eb);
    const int n = c * wallTextureHeight + r;
    EXPECT_EQ(wallTexture.red[n], er) << c << "," << r;
    EXPECT_EQ(wallTexture.green[n], eg) << c << "," << r;
    EXPECT_EQ(wallTexture.blue[n], eb) << c << "," << r;
}

TEST_P(WorldAssetsTest, TheWallIsUnpackedColumnMajorThroughTheDisplaysFormat) {
    openScreen(GetParam());
    writeImage("wall.png", 410, 262, patternedWall(410, 262));
    testing::internal::CaptureStderr();
    loadWorldAssets();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    for (int c : {0, 1, 5, 133, 398, 399}) {
        for (int r : {0, 1, 7, 200, 257}) {
            if (c == 5 && r == 5) {
                continue;
            }
            expectTexel(c, r, uint8_t(c * 7), uint8_t(r * 3), uint8_t(c + r));
        }
    }
    expectTexel(5, 5, 0, 255, 255); // the colour key plays no part in the planes

    EXPECT_EQ(playerX, 1.5);
    EXPECT_EQ(playerY, 1.5);
    EXPECT_EQ(playerAngle, 0.0);
    EXPECT_EQ(backgroundSurface, nullptr);
}

// A missing wall must not stop the game: plain grey blocks, and one line saying why.
TEST_P(WorldAssetsTest, AMissingWallLeavesPlainGreyAndSaysSo) {
    openScreen(GetParam());
    testing::internal::CaptureStderr();
    loadWorldAssets();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Media/Game/wall.png"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(wallTexture.red[200 * wallTextureHeight + 129], 128);
    EXPECT_EQ(wallTexture.blue[0], 96); // the rim
    EXPECT_EQ(playerX, 1.5);
}

// A small wall is read where it has pixels, never past them.
TEST_P(WorldAssetsTest, ASmallWallIsReadOnlyWhereItHasPixels) {
    openScreen(GetParam());
    writeImage("wall.png", 100, 50, patternedWall(100, 50));
    testing::internal::CaptureStderr();
    loadWorldAssets();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("100 x 50"), std::string::npos) << said;
    expectTexel(99, 49, uint8_t(99 * 7), uint8_t(49 * 3), uint8_t(99 + 49));
    EXPECT_EQ(wallTexture.green[100 * wallTextureHeight + 49], 128);
    EXPECT_EQ(wallTexture.green[99 * wallTextureHeight + 50], 128);
}

// The background is drawn with cyan keyed out. Without a keyed pixel the loader drops the
// key so SDL copies instead; either way the blit must give what a keyed blit gives.
std::vector<uint8_t> background(bool withCyan, bool withNearCyan) {
    std::vector<uint8_t> rgb(640 * 480 * 3);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            uint8_t* p = &rgb[(size_t(y) * 640 + x) * 3];
            p[0] = uint8_t(x) | 0x40, p[1] = uint8_t(y), p[2] = uint8_t(x ^ y); // never cyan
        }
    }
    if (withCyan) {
        uint8_t* p = &rgb[(size_t(100) * 640 + 300) * 3];
        p[0] = 0, p[1] = 255, p[2] = 255;
    }
    if (withNearCyan) { // the same 16-bit pixel as cyan
        uint8_t* p = &rgb[(size_t(200) * 640 + 20) * 3];
        p[0] = 3, p[1] = 254, p[2] = 250;
    }
    return rgb;
}

void expectSameBlitAsKeyed(const std::vector<uint8_t>& rgb) {
    SDL_Surface* keyed = SDL_CreateRGBSurfaceFrom(const_cast<uint8_t*>(rgb.data()), 640, 480, 24,
                                                  640 * 3, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    SDL_Surface* reference = SDL_DisplayFormat(keyed);
    SDL_SetColorKey(reference, SDL_SRCCOLORKEY, SDL_MapRGB(reference->format, 0, 255, 255));
    const Uint32 under = SDL_MapRGB(screen->format, 40, 80, 120);

    SDL_FillRect(screen, nullptr, under);
    SDL_BlitSurface(reference, nullptr, screen, nullptr);
    std::vector<Uint32> expected;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            expected.push_back(readPixel(screen, x, y));
        }
    }
    SDL_FillRect(screen, nullptr, under);
    SDL_BlitSurface(backgroundSurface, nullptr, screen, nullptr);
    for (int y = 0, i = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x, ++i) {
            ASSERT_EQ(readPixel(screen, x, y), expected[i]) << x << "," << y;
        }
    }
    SDL_FreeSurface(reference);
    SDL_FreeSurface(keyed);
}

TEST_P(WorldAssetsTest, TheBackgroundBlitsAsAKeyedImageWithOrWithoutKeyedPixels) {
    openScreen(GetParam());
    struct Case {
        bool cyan, nearCyan, keyKept;
    };
    const bool sixteen = GetParam() == 16;
    for (Case c :
         {Case{false, false, false}, Case{true, false, true}, Case{false, true, sixteen}}) {
        writeImage("background.png", 640, 480, background(c.cyan, c.nearCyan));
        testing::internal::CaptureStderr();
        loadWorldAssets();
        testing::internal::GetCapturedStderr();
        ASSERT_NE(backgroundSurface, nullptr);
        EXPECT_EQ((backgroundSurface->flags & SDL_SRCCOLORKEY) != 0, c.keyKept)
            << c.cyan << c.nearCyan;
        expectSameBlitAsKeyed(background(c.cyan, c.nearCyan));
        SDL_FreeSurface(backgroundSurface);
        backgroundSurface = nullptr;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, WorldAssetsTest, ::testing::Values(16, 24, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bpp";
                         });

} // namespace
