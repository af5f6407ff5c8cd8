// The bottom floor: input, the end of a pass, raw pixels and images.
#include "app/blend.h"
#include "app/image.h"
#include "app/input.h"
#include "app/media.h"
#include "app/pngcheck.h"
#include "support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Input and the end of a pass
// ---------------------------------------------------------------------------------------------

class InputTest : public ScreenTest {
  protected:
    // The compatibility library queues the new window's own focus events: left out of the
    // counts below, which are about what each test pushes.
    void SetUp() override {
        openScreen(32);
        for (SDL_Event event; SDL_PollEvent(&event);) {
        }
    }
    static void push(Uint8 type, int code = 0) {
        SDL_Event event = {};
        event.type = type;
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
            event.key.keysym.sym = static_cast<SDLKey>(code);
        } else {
            event.button.button = static_cast<Uint8>(code);
        }
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static int queued() {
        SDL_Event events[64];
        return SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_ALLEVENTS);
    }
};

// The states are stored as 0 (Up), 1 (Held) and 2 (Pressed); only Pressed clicks a button or
// switches the screen (F11). A key SDL has no symbol for (0) is held like any other.
TEST_F(InputTest, APressLastsOnePassThenHoldsUntilReleased) {
    const Uint8 pushed[] = {SDL_KEYDOWN, 0, SDL_KEYDOWN, SDL_KEYUP};
    const int seen[] = {2, 1, 2, 0};
    for (int pass = 0; pass < 4; ++pass) {
        SCOPED_TRACE(testing::Message() << "pass " << pass);
        if (pushed[pass]) {
            push(pushed[pass], SDLK_w);
            push(pushed[pass], SDLK_F11);
            push(pushed[pass], SDLK_UNKNOWN);
            push(pushed[pass] == SDL_KEYDOWN ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP,
                 SDL_BUTTON_RIGHT);
        }
        updateInput();
        EXPECT_EQ(keyStates[SDLK_w], seen[pass]);
        EXPECT_EQ(keyStates[SDLK_UNKNOWN], seen[pass]);
        EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], seen[pass]);
        EXPECT_EQ(fullscreenAsked(), seen[pass] == Pressed) << "F11 switches on its press alone";
    }
}

// Enter switches the screen while either Alt is down; alone it does not.
TEST_F(InputTest, EnterSwitchesTheScreenWithEitherAlt) {
    for (int alt : {0, int(SDLK_LALT), int(SDLK_RALT)}) {
        push(SDL_KEYDOWN, alt);
        push(SDL_KEYDOWN, SDLK_RETURN);
        updateInput();
        EXPECT_EQ(fullscreenAsked(), alt != 0) << "Alt " << alt;
        push(SDL_KEYUP, alt);
        push(SDL_KEYUP, SDLK_RETURN);
        updateInput();
    }
}

// Within one poll every down is applied before every up, whatever their order in time, and
// only key symbols 0..499 and buttons 0..9 are kept.
TEST_F(InputTest, OnePollAppliesDownsBeforeUpsAndKeepsWhatTheTablesHold) {
    push(SDL_KEYDOWN, SDLK_ESCAPE);
    push(SDL_KEYUP, SDLK_ESCAPE);
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    for (int symbol : {499, 500, 511}) {
        push(SDL_KEYDOWN, symbol);
    }
    for (int button : {9, 10, 255}) {
        push(SDL_MOUSEBUTTONDOWN, button);
    }
    updateInput();
    EXPECT_EQ(keyStates[SDLK_ESCAPE], Up);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], Up);
    EXPECT_EQ(keyStates[499], Pressed);
    EXPECT_EQ(mouseButtonStates[9], Pressed);
    EXPECT_EQ(std::count(std::begin(keyStates), std::end(keyStates), Pressed), 1);
    EXPECT_EQ(std::count(std::begin(mouseButtonStates), std::end(mouseButtonStates), Pressed), 1);
}

// The poll takes keys and buttons only; the drain at the end of the pass takes the rest and
// notes the window's quit.
TEST_F(InputTest, OtherEventsWaitForTheDrainWhichNotesAQuit) {
    push(SDL_MOUSEMOTION);
    push(SDL_KEYDOWN, SDLK_s);
    push(SDL_QUIT);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    push(SDL_ACTIVEEVENT);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_s], Pressed);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], Pressed);
    EXPECT_EQ(queued(), 3);
    EXPECT_EQ(quitRequested, 0);
    drainEvents();
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(queued(), 0);
}

TEST(FramePacing, ATickCounterThatWrapsDoesNotDisturbThePacing) {
    EXPECT_EQ(remainingFrameTime(1000, 1005), 11u);
    EXPECT_EQ(remainingFrameTime(1000, 1016), 0u);
    EXPECT_EQ(remainingFrameTime(0xFFFFFFFAu, 4u), 6u);  // 10 ms across the wrap
    EXPECT_EQ(remainingFrameTime(0xFFFFFFFAu, 10u), 0u); // 16 ms across the wrap
}

// The classic library's ticks are the wall clock's: set back, forward or wrapped, the readings
// never make a pass sleep longer than one period.
TEST(FramePacing, AClockSetBackOrForwardSleepsAtMostOnePeriod) {
    EXPECT_EQ(remainingFrameTime(5000, 4999), 16u);          // set back a millisecond
    EXPECT_EQ(remainingFrameTime(3600000, 0), 16u);          // set back an hour
    EXPECT_EQ(remainingFrameTime(10, 0xFFFFFFF0u), 16u);     // set back across the wrap
    EXPECT_EQ(remainingFrameTime(5000, 5000 + 3600000), 0u); // set forward an hour
    EXPECT_EQ(remainingFrameTime(0, 0x80000000u), 16u);      // forward 24.9 days: unknowable
}

// SDL_Delay never returns early, so this holds however busy the machine is.
TEST(FramePacing, APassJustStartedSleepsOutTheWholePeriod) {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0) << SDL_GetError();
    const Uint32 start = SDL_GetTicks();
    paceFrame(start);
    EXPECT_GE(SDL_GetTicks() - start, 16u);
    SDL_Quit();
}

// ---------------------------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------------------------

// The game packs colours by shifts where every channel fits a byte, the common 8-8-8 display
// among them; one with a channel of 10 bits, whichever it is, has every colour mapped by SDL.
// The formats are made by hand: the compatibility library gives a surface of such masks a
// format of its own.
TEST(PixelLayout, OnlyAChannelWiderThanAByteIsLeftToSdl) {
    struct Channels {
        const char* what;
        int redBits, greenBits, blueBits; // packed red, green, blue from the top down
        bool bySdl;
    };
    const Channels formats[] = {
        {"every channel of 8 bits", 8, 8, 8, false},
        {"red of 10 bits", 10, 8, 8, true},
        {"green of 10 bits", 8, 10, 8, true},
        {"blue of 10 bits", 8, 8, 10, true},
    };
    for (const Channels& bits : formats) {
        SCOPED_TRACE(bits.what);
        SDL_PixelFormat f = {};
        f.BitsPerPixel = 32;
        f.BytesPerPixel = 4;
        f.Gshift = Uint8(bits.blueBits);
        f.Rshift = Uint8(bits.blueBits + bits.greenBits);
        f.Rmask = ((1u << bits.redBits) - 1) << f.Rshift;
        f.Gmask = ((1u << bits.greenBits) - 1) << f.Gshift;
        f.Bmask = (1u << bits.blueBits) - 1;
        EXPECT_EQ(describePixels(&f).packing.bySdl, bits.bySdl);
    }
}

// Unpacking gives the classic library's colours under every SDL (a 5-bit 4 reads 33), and on
// the classic library every pixel of three 16-bit layouts unpacks as SDL_GetRGB unpacks it.
TEST(PixelLayout, ChannelsWidenAsTheClassicLibraryWidensThem) {
    Uint8 rgb[2][3] = {};
    SDL_Surface* s565 = makeSurface(1, 1, 16);
    unpackColour(describePixels(s565->format), 4u << 11, &rgb[0][0], &rgb[0][1], &rgb[0][2]);
    EXPECT_EQ(rgb[0][0], 33);
    for (SDL_Surface* s : {s565, SDL_CreateRGBSurface(0, 1, 1, 16, 0x7c00, 0x3e0, 0x1f, 0),
                           SDL_CreateRGBSurface(0, 1, 1, 16, 0xf00, 0xf0, 0xf, 0)}) {
        const PixelLayout layout = describePixels(s->format);
        for (Uint32 v = 0; v < 65536 && classicSdl(); ++v) {
            SDL_GetRGB(v, s->format, &rgb[0][0], &rgb[0][1], &rgb[0][2]);
            unpackColour(layout, v, &rgb[1][0], &rgb[1][1], &rgb[1][2]);
            ASSERT_EQ(std::memcmp(rgb[0], rgb[1], 3), 0)
                << "pixel " << v << " of green mask " << s->format->Gmask;
        }
        SDL_FreeSurface(s);
    }
}

// ---------------------------------------------------------------------------------------------
// Blending
// ---------------------------------------------------------------------------------------------

// The images with alpha are blended by the game; on the classic library SDL's own blit must
// give every pixel the same, on the screen at 8, 16, 24 or 32 bits and, from 33 on, on
// surfaces of other layouts: random colours with every alpha from 0 to 255 in each row, over
// random pixels, drawn whole and as cells cut by the sheet's edges (down to its corner pixel)
// and by the clip rectangle.
class BlendTest : public ScreenTest, public ::testing::WithParamInterface<int> {
  protected:
    SDL_Surface* target() {
        const Uint32 others[][5] = {
            {16, 0x7c00, 0x3e0, 0x1f, 0},    {16, 0x1f, 0x7e0, 0xf800, 0},
            {32, 0xff, 0xff00, 0xff0000, 0}, {32, 0xff0000, 0xff00, 0xff, 0xff000000},
            {24, 0xff, 0xff00, 0xff0000, 0}, {16, 0xf00, 0xf0, 0xf, 0}};
        openScreen(std::min(GetParam(), 32));
        if (GetParam() <= 32) {
            return screen;
        }
        const Uint32* l = others[GetParam() - 33];
        made = SDL_CreateRGBSurface(0, 640, 480, int(l[0]), l[1], l[2], l[3], l[4]);
        return made;
    }
    void TearDown() override {
        SDL_FreeSurface(made);
        ScreenTest::TearDown();
    }
    SDL_Surface* made = nullptr;
};

TEST_P(BlendTest, EveryPixelIsTheClassicLibrarysOwn) {
    SDL_Surface* t = target();
    if (!classicSdl()) {
        GTEST_SKIP() << "the compatibility library rounds otherwise: no oracle here";
    }
    std::mt19937 random(3);
    const SDL_Rect clip = makeRect(50, 40, 500, 400);
    SDL_SetClipRect(t, &clip);
    const SDL_Rect placements[][2] = {{makeRect(0, 0, 256, 64), makeRect(100, 200, 0, 0)},
                                      {makeRect(-20, -10, 100, 50), makeRect(20, 20, 0, 0)},
                                      {makeRect(200, 30, 100, 50), makeRect(500, 420, 0, 0)},
                                      {makeRect(255, 63, 9, 9), makeRect(300, 300, 0, 0)}};
    for (bool abgr : {false, true}) {
        SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SRCALPHA, 256, 64, 32, abgr ? 0xff : 0xff0000,
                                                  0xff00, abgr ? 0xff0000 : 0xff, 0xff000000);
        for (int i = 0; i < 256 * 64; ++i) {
            writePixel(sheet, i % 256, i / 256,
                       (Uint32(random()) & 0xffffff) | Uint32(i % 256) << 24);
        }
        for (const auto& [cell, at] : placements) {
            std::vector<Uint32> under(size_t(t->w * t->h));
            std::generate(under.begin(), under.end(), [&] { return Uint32(random()); });
            restorePixels(t, under);
            under = rawPixels(t);
            SDL_Rect from = cell, to = at;
            SDL_BlitSurface(sheet, &from, t, &to);
            const std::vector<Uint32> bySdl = rawPixels(t);
            restorePixels(t, under);
            ASSERT_TRUE(blendAlphaImage(sheet, cell, t, at));
            const std::vector<Uint32> blended = rawPixels(t);
            const size_t first =
                size_t(std::mismatch(blended.begin(), blended.end(), bySdl.begin()).first -
                       blended.begin());
            EXPECT_EQ(first, blended.size())
                << (abgr ? "ABGR" : "ARGB") << " sheet, cell at x " << cell.x << ": 0x" << std::hex
                << blended[first] << ", SDL 0x" << bySdl[first] << " under 0x" << under[first];
        }
        SDL_FreeSurface(sheet);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, BlendTest,
                         ::testing::Values(8, 16, 24, 32, 33, 34, 35, 36, 37, 38));

// ---------------------------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------------------------

class ImageTest : public ScreenTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        openScreen(GetParam());
        enterScratchFolder();
    }
};

// A cyan, a red and a near-cyan pixel over green: the cyan shows the green, the red stays
// red, and (3, 254, 252) is cyan's value too at 16 bits.
TEST_P(ImageTest, LoadImageConvertsToTheDisplayAndKeysCyan) {
    const Uint32 pixels[] = {0x00FFFF, 0xFF0000, 0x03FEFC};
    writeImage("keyed.png", 3, 1, [&](int x, int) { return pixels[x]; });
    SDL_Surface* image = loadImage("keyed.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format->BitsPerPixel, GetParam());
    const Uint32 green = SDL_MapRGB(screen->format, 0, 255, 0);
    SDL_FillRect(screen, nullptr, green);
    blitCell(image, nullptr, 0, 0);
    EXPECT_EQ(readPixel(screen, 0, 0), green);
    EXPECT_EQ(readPixel(screen, 1, 0), SDL_MapRGB(screen->format, 255, 0, 0));
    EXPECT_EQ(readPixel(screen, 2, 0) == green, GetParam() == 16);
    SDL_FreeSurface(image);
}

// The cursor sheet's corner is clear: over black it leaves black, and cyan is no key.
TEST_P(ImageTest, LoadAlphaImageKeepsTheFilesAlpha) {
    ASSERT_EQ(chdir(PLINT_SOURCE_DIR), 0);
    SDL_Surface* image = loadAlphaImage("Media/Canopy/Cursor.png", {1536, 96});
    ASSERT_NE(image, nullptr);
    EXPECT_NE(image->format->Amask, 0u);
    EXPECT_FALSE(image->flags & SDL_SRCCOLORKEY);
    SDL_FillRect(screen, nullptr, 0);
    blitCell(image, nullptr, 0, 0);
    EXPECT_EQ(readPixel(screen, 0, 0), 0u);
    SDL_FreeSurface(image);
}

INSTANTIATE_TEST_SUITE_P(Depths, ImageTest, ::testing::Values(16, 24, 32),
                         testing::PrintToStringParamName());

// A PNG's signature and header chunk stating the size (8 bytes, width and height big-endian),
// then `rest`; and the chunk that ends a PNG.
std::string pngWith(const char (&size)[9], const std::string& rest) {
    return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + std::string(size, 8) +
           std::string(9, '\0') + rest;
}
const std::string pngEnd("\0\0\0\0IEND\xae\x42\x60\x82", 12);

// What a file must be before it is decoded, and what the game says of one that is not.
TEST(LoadFailure, AFileRefusedUnreadIsNamedWithTheReason) {
    enterScratchFolder();
    EXPECT_EQ(loadImage("art.png"), nullptr);
    EXPECT_STREQ(loadFailure(), "art.png is missing");
    std::FILE* png = stdin; // a refusal hands the caller nothing to close
    openPng("art.png", {2, 2}, png);
    EXPECT_EQ(png, nullptr);
    struct Case {
        std::string bytes;
        const char* says;
    };
    const Case cases[] = {
        {pngWith("\0\0\0\2\0\0\0\2", pngEnd).substr(0, 8),
         "art.png is a PNG cut short before its size"},
        {pngWith("\0\0\0\2\0\0\0\2", std::string("\x7f\0\0\0IDAT", 8) + pngEnd),
         "art.png is a PNG whose chunks run past its end"},
        {pngWith("\0\0\0\2\0\0\0\2", std::string("\0\0\0\5", 4) + pngEnd.substr(4)),
         "art.png is a PNG whose chunks run past its end"},
        {pngWith("\0\0\5\1\0\0\0\2", pngEnd),
         "art.png is 1281 x 2, larger than the 1280 x 960 it may be"},
    };
    for (const Case& c : cases) {
        std::ofstream("art.png", std::ios::binary) << c.bytes;
        EXPECT_EQ(loadImage("art.png"), nullptr) << c.says;
        EXPECT_STREQ(loadFailure(), c.says);
    }
    // Every other format SDL_image reads is named by its signature, whatever follows it.
    // clang-format off
    const std::pair<std::string, std::string> formats[] = {
        {"BM", "a BMP"}, {"GIF8", "a GIF"}, {"\xff\xd8\xff", "a JPEG"}, {"FORM", "an LBM"},
        {"P7 332", "an XV thumbnail"}, {"P1", "a PNM"}, {"P2", "a PNM"}, {"P3", "a PNM"},
        {"P4", "a PNM"}, {"P5", "a PNM"}, {"P6", "a PNM"}, {std::string("II*\0", 4), "a TIFF"},
        {std::string("MM\0*", 4), "a TIFF"}, {"RIFF0000WEBP", "a WebP"}, {"gimp xcf ", "an XCF"},
        {"/* XPM */", "an XPM"}, {std::string("\0\0\1\0\1", 5), "an ICO"},
        {std::string("\0\0\2\0\1", 5), "a CUR"}, {"\x0a", "a PCX"}};
    // clang-format on
    for (const auto& [signature, format] : formats) {
        std::ofstream("art.png", std::ios::binary) << signature + std::string(24, 'x');
        EXPECT_EQ(loadImage("art.png"), nullptr) << format;
        EXPECT_EQ(std::string(loadFailure()), "art.png is " + format + ", not a PNG");
    }
}

// The chunk walk reads the file a window at a time: a header across the window's end is read
// whole, and the IEND after it found.
TEST(LoadFailure, AChunkHeaderAcrossTheWalksWindowIsReadWhole) {
    enterScratchFolder();
    const std::string text = std::string("\0\0\xff\xd7tEXt", 8) + std::string(0xffd7 + 4, 'x');
    std::ofstream("art.png", std::ios::binary) << pngWith("\0\0\0\2\0\0\0\2", text + pngEnd);
    EXPECT_EQ(loadImage("art.png"), nullptr);
    EXPECT_EQ(std::string(loadFailure()).rfind("art.png is a PNG that cannot be decoded", 0), 0u)
        << loadFailure();
}

// Nothing but a regular file is opened for reading, and none larger than a PNG within the
// limit could be: a FIFO would hold the game for ever, a sparse file would be walked for
// minutes. Each is refused at once, by what it is.
TEST(LoadFailure, OnlyARegularFileOfAPlausibleSizeIsRead) {
    namespace fs = std::filesystem;
    enterScratchFolder();
    std::ofstream("empty.png").close();
    std::ofstream("sparse.png").close();
    fs::resize_file("sparse.png", 11040377);
    std::vector<std::pair<const char*, const char*>> cases = {
        {"empty.png", "empty.png is empty, not a PNG"},
        {"sparse.png", "sparse.png is 11040377 bytes, more than any 1280 x 960 PNG needs"},
    };
#ifndef _WIN32 // Windows opens no folder as a file, and has no FIFOs, device files or loops
    fs::create_directory("folder.png");
    ASSERT_EQ(mkfifo("fifo.png", 0600), 0);
    cases.push_back({"folder.png", "folder.png is a directory, not a file"});
    cases.push_back({"fifo.png", "fifo.png is a FIFO, not a file"});
    cases.push_back({"/dev/zero", "/dev/zero is a device, not a file"});
    fs::create_symlink("loop.png", "loop.png");
    cases.push_back({"loop.png", "loop.png is a loop of symbolic links"});
#endif
    for (const auto& [file, says] : cases) {
        EXPECT_EQ(loadImage(file), nullptr) << says;
        EXPECT_STREQ(loadFailure(), says);
    }
    fs::resize_file("sparse.png", 11040376); // the largest that may be: read, then judged
    EXPECT_EQ(loadImage("sparse.png"), nullptr);
    EXPECT_STREQ(loadFailure(), "sparse.png is not a PNG");
}

// ---------------------------------------------------------------------------------------------
// The art folder
// ---------------------------------------------------------------------------------------------

// The tests lie outside the build folder, as an installed game does: of the folders beside
// the executable only the installed one is searched, by its full path. Media under the
// working directory wins over it once it holds an image.
TEST(MediaFolder, TheFirstFolderHoldingAnyImageIsChosenAndKept) {
    namespace fs = std::filesystem;
    enterScratchFolder();
    fs::remove_all("Media");
    const std::string installed = mediaFolder(2);
    EXPECT_EQ(mediaFolder(1), "");
    ASSERT_TRUE(fs::path(installed).is_absolute()) << installed;
    if (fs::exists(installed)) {
        GTEST_SKIP() << installed << " holds art already";
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(findMedia());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "plint: no art found in Media under the working directory or in " + installed +
                  "; every image is missing\n");
    fs::path made = installed; // the first folder of the path that the test makes
    while (!fs::exists(made.parent_path())) {
        made = made.parent_path();
    }
    fs::create_directories(installed + "/Canopy");
    std::ofstream(installed + "/Canopy/Font.png") << "art";
    fs::create_directories("Media/Game");
    std::ofstream("Media/Game/background.png") << "art";
    EXPECT_TRUE(findMedia());
    EXPECT_EQ(mediaPath("Game/wall.png"), "Media/Game/wall.png");
    fs::remove_all("Media");
    EXPECT_TRUE(findMedia());
    EXPECT_EQ(mediaPath("Game/wall.png"), installed + "/Game/wall.png");
    fs::remove_all(made);
#ifndef _WIN32 // beside a build's note, the source tree's folder is searched and named instead
    const fs::path beside = fs::read_symlink("/proc/self/exe").parent_path();
    std::ofstream(beside / "plint-source-media") << "Gone\n";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(findMedia());
    fs::remove(beside / "plint-source-media");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "plint: no art found in Media under the working directory or in " +
                  (beside / "Gone").string() + "; every image is missing\n");
#endif
}

} // namespace
