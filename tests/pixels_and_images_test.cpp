#include "app/image.h"
#include "app/pixels.h"
#include "png_writer.h"
#include "sdl_test_support.h"

#include <memory>

namespace {

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

SurfacePtr own(SDL_Surface* surface) {
    return SurfacePtr(surface, &SDL_FreeSurface);
}

// ---------------------------------------------------------------------------------------------
// readPixel / writePixel
// ---------------------------------------------------------------------------------------------

TEST(Pixels, RoundTripAtOneToFourBytesPerPixelWithoutTouchingNeighbours) {
    for (int bits : {8, 16, 24, 32}) {
        SurfacePtr s = own(makeSurface(5, 3, bits));
        ASSERT_NE(s, nullptr);
        const Uint32 mask = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        SDL_FillRect(s.get(), nullptr, 0);
        writePixel(s.get(), 3, 2, 0xA1B2C3D4u & mask);
        EXPECT_EQ(readPixel(s.get(), 3, 2), 0xA1B2C3D4u & mask) << bits;
        EXPECT_EQ(readPixel(s.get(), 2, 2), 0u) << bits;
        EXPECT_EQ(readPixel(s.get(), 4, 2), 0u) << bits;
        EXPECT_EQ(readPixel(s.get(), 3, 1), 0u) << bits;
    }
}

TEST(Pixels, ThreeBytePixelsAreStoredLowByteFirstAndRowsWalkedByPitch) {
    SurfacePtr s = own(makeSurface(3, 2, 24));
    ASSERT_NE(s, nullptr);
    ASSERT_GE(s->pitch, 9); // 3 x 3 bytes, padded by SDL to 12
    writePixel(s.get(), 1, 1, 0x112233);
    const Uint8* p = static_cast<Uint8*>(s->pixels) + s->pitch + 3;
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(readPixel(s.get(), 1, 1), 0x112233u);
}

// ---------------------------------------------------------------------------------------------
// loadImage / loadAlphaImage
// ---------------------------------------------------------------------------------------------

// A 2 x 1 image: a cyan pixel and a red one; with alpha, the red one half transparent.
std::string writeCyanAndRed(bool withAlpha) {
    const std::string path = testpng::tempPath(withAlpha ? "alpha.png" : "keyed.png");
    const std::vector<uint8_t> pixels = withAlpha
                                            ? std::vector<uint8_t>{0, 255, 255, 255, 255, 0, 0, 128}
                                            : std::vector<uint8_t>{0, 255, 255, 255, 0, 0};
    EXPECT_TRUE(testpng::write(path, 2, 1, withAlpha ? 4 : 3, pixels));
    return path;
}

class ImageTest : public SdlScreenTest, public ::testing::WithParamInterface<int> {};

TEST_P(ImageTest, LoadImageConvertsToTheDisplayAndKeysCyan) {
    openScreen(GetParam());
    SurfacePtr image = own(loadImage(writeCyanAndRed(false).c_str()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format->BitsPerPixel, GetParam());
    EXPECT_TRUE(image->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(image->format->colorkey, SDL_MapRGB(image->format, 0, 255, 255));

    // Blitted over green, cyan shows the green and red stays red.
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 255, 0));
    SDL_BlitSurface(image.get(), nullptr, screen, nullptr);
    Uint8 r, g, b;
    SDL_GetRGB(readPixel(screen, 0, 0), screen->format, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_GT(g, 240);
    EXPECT_EQ(b, 0);
    SDL_GetRGB(readPixel(screen, 1, 0), screen->format, &r, &g, &b);
    EXPECT_GT(r, 240);
    EXPECT_EQ(g, 0);
}

TEST_P(ImageTest, LoadAlphaImageKeepsAlphaAndDrawsCyanLikeAnyColour) {
    openScreen(GetParam());
    SurfacePtr image = own(loadAlphaImage(writeCyanAndRed(true).c_str()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format->BytesPerPixel, 4);
    EXPECT_NE(image->format->Amask, 0u);
    EXPECT_FALSE(image->flags & SDL_SRCCOLORKEY);

    SDL_FillRect(screen, nullptr, 0);
    SDL_BlitSurface(image.get(), nullptr, screen, nullptr);
    Uint8 r, g, b;
    SDL_GetRGB(readPixel(screen, 0, 0), screen->format, &r, &g, &b);
    EXPECT_GT(g, 240);
    EXPECT_GT(b, 240);
    SDL_GetRGB(readPixel(screen, 1, 0), screen->format, &r, &g, &b);
    EXPECT_NEAR(r, 128, 10) << "half-transparent red over black";
}

TEST_P(ImageTest, MissingOrUndecodableFilesGiveNull) {
    openScreen(GetParam());
    EXPECT_EQ(loadImage("Media/no-such-image.png"), nullptr);
    EXPECT_EQ(loadAlphaImage("Media/no-such-image.png"), nullptr);
    const std::string junk = testpng::tempPath("junk.png");
    FILE* f = std::fopen(junk.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("this is not an image", f);
    std::fclose(f);
    EXPECT_EQ(loadImage(junk.c_str()), nullptr);
    EXPECT_EQ(loadAlphaImage(junk.c_str()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Depths, ImageTest, ::testing::Values(16, 24, 32));

TEST(ImageKey, AtSixteenBitsColoursThatReduceToCyanAreTransparentToo) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    screen = SDL_SetVideoMode(640, 480, 16, 0);
    ASSERT_NE(screen, nullptr);
    const std::string path = testpng::tempPath("nearcyan.png");
    ASSERT_TRUE(testpng::write(path, 1, 1, 3, {3, 254, 252}));
    SurfacePtr image = own(loadImage(path.c_str()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(readPixel(image.get(), 0, 0), image->format->colorkey);
    screen = nullptr;
    SDL_Quit();
}

} // namespace
