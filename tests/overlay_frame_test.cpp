#include "app/input.h"
#include "overlay/backdrop.h"
#include "overlay/overlay.h"
#include "overlay_test_support.h"

namespace {

const Rgb button{0, 0, 255}, bar{255, 255, 0}, cursor{255, 0, 0}, border{255, 255, 255};

// Every layer a flat colour of its own; the cursor sheet's other frames are dark grey, so
// a wrong frame shows.
class OverlayFrameTest : public OverlayTest {
  protected:
    void SetUp() override {
        openOverlay();
        std::fill(std::begin(keyStates), std::end(keyStates), Up);
        std::fill(std::begin(mouseButtonStates), std::end(mouseButtonStates), Up);
        buttonSurface = solidSheet(189, 42, button);
        barsSurface = solidSheet(640, 131, bar);
        cursorSurface = paintedSheet(1536, 96, [](int x, int) {
            return x / 96 == 3 ? cursor : Rgb{10, 10, 10};
        });
        borderSurface = solidSheet(640, 480, border);
    }
    static void dropLayer(SDL_Surface*& layer) {
        SDL_FreeSurface(layer);
        layer = nullptr;
    }
};

// At (300, 475), with the fade at 30.5 after its step, the "Exit" frame (rows 470..526), the
// bottom bar (from row 461), the cursor and the border all overlap; taking them away from the
// top down uncovers each in turn.
TEST_F(OverlayFrameTest, LayersGoBackdropMenuBarsCursorBorderFromTheBottomUp) {
    menuOpen = true;
    pointer = {300, 475};
    runOverlayFrame(); // the cursor starts with the second pass
    auto layerShownAfterAPass = [] {
        fadeLevel = 25;
        runOverlayFrame();
        EXPECT_EQ(fadeLevel, 30.5);
        return rgbAt(screen, 300, 475);
    };
    EXPECT_EQ(layerShownAfterAPass(), border);
    dropLayer(borderSurface);
    EXPECT_EQ(layerShownAfterAPass(), cursor);
    dropLayer(cursorSurface);
    EXPECT_EQ(layerShownAfterAPass(), bar);
    dropLayer(barsSurface);
    EXPECT_EQ(layerShownAfterAPass(), button);
    dropLayer(buttonSurface);
    EXPECT_EQ(layerShownAfterAPass(), (Rgb{0, 0, 0})) << "the backdrop, never captured";
}

TEST_F(OverlayFrameTest, TheCursorIsFrameThreeCentredOnThePointerFromTheSecondPassOn) {
    dropLayer(borderSurface);
    pointer = {0, 0};
    runOverlayFrame();
    EXPECT_FALSE(cursorDrawn);
    EXPECT_EQ(rgbAt(screen, 0, 0), Rgb{});
    runOverlayFrame();
    EXPECT_TRUE(cursorDrawn);
    EXPECT_EQ(rgbAt(screen, 0, 0), cursor);
    EXPECT_EQ(rgbAt(screen, 47, 47), cursor);
    EXPECT_EQ(rgbAt(screen, 48, 48), Rgb{});

    SDL_FillRect(screen, nullptr, 0);
    pointer = {640, 480};
    runOverlayFrame();
    EXPECT_EQ(rgbAt(screen, 592, 432), cursor);
    EXPECT_EQ(rgbAt(screen, 639, 479), cursor);
    EXPECT_EQ(rgbAt(screen, 591, 431), Rgb{});
}

TEST_F(OverlayFrameTest, MouseTurningFollowsThePassCountNotTheCursorImage) {
    dropLayer(cursorSurface);
    runOverlayFrame();
    EXPECT_FALSE(cursorDrawn);
    runOverlayFrame();
    EXPECT_TRUE(cursorDrawn);
}

TEST_F(OverlayFrameTest, DuringPlayOnlyTheCursorAndBorderAreDrawnAndTheClockIsNotRead) {
    dropLayer(borderSurface);
    pointer = {300, 300};
    runOverlayFrame();
    runOverlayFrame();
    EXPECT_EQ(fadeLevel, 0.0);
    EXPECT_EQ(localTime, nullptr);
    EXPECT_EQ(rgbAt(screen, 300, 300), cursor);
    EXPECT_EQ(rgbAt(screen, 10, 470), Rgb{}) << "no bottom bar";
}

TEST_F(OverlayFrameTest, ThePassThatOpensDrawsMenuAndBarsOverTheLiveView) {
    dropLayer(borderSurface);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 99, 0));
    keyStates[27] = Pressed;
    runOverlayFrame();
    EXPECT_NEAR(fadeLevel, 7.1667, 1e-4);
    EXPECT_NE(localTime, nullptr);
    EXPECT_EQ(rgbAt(screen, 10, 477), bar) << "the bottom bar's first rows, from y 475";
    EXPECT_EQ(rgbAt(screen, 10, 474), (Rgb{0, 99, 0})) << "the live view, not frosted";
}

TEST_F(OverlayFrameTest, ThePassInWhichAClosingFadeReachesZeroDrawsNoMenuOrBars) {
    dropLayer(borderSurface);
    fadeLevel = 0.3;
    menuOpen = false;
    runOverlayFrame();
    EXPECT_EQ(fadeLevel, 0.0);
    for (int y = 0; y < 480; y += 5) {
        ASSERT_NE(rgbAt(screen, 10, y), bar) << y;
        ASSERT_NE(rgbAt(screen, 160, y), button) << y;
    }
}

} // namespace
