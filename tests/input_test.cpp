#include "app/input.h"
#include "sdl_test_support.h"

#include <algorithm>

namespace {

class InputTest : public SdlScreenTest {
  protected:
    void SetUp() override {
        openScreen(32);
        std::fill(std::begin(keyStates), std::end(keyStates), Up);
        std::fill(std::begin(mouseButtonStates), std::end(mouseButtonStates), Up);
    }
    static void pushKey(Uint8 type, int symbol) {
        SDL_Event event = {};
        event.type = type;
        event.key.keysym.sym = static_cast<SDLKey>(symbol);
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static void pushButton(Uint8 type, int button) {
        SDL_Event event = {};
        event.type = type;
        event.button.button = static_cast<Uint8>(button);
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static void pushPlain(Uint8 type) {
        SDL_Event event = {};
        event.type = type;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    static int queued() {
        SDL_Event events[64];
        return SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_ALLEVENTS);
    }
};

TEST_F(InputTest, PressLastsExactlyOnePassThenHeldUntilReleased) {
    pushKey(SDL_KEYDOWN, SDLK_w);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_w], Pressed);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_w], Held);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_w], Held);
    pushKey(SDL_KEYUP, SDLK_w);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_w], Up);
}

TEST_F(InputTest, DownsAreAppliedBeforeUpsWithinOnePoll) {
    // Pressed and released between two polls: never seen.
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_ESCAPE], Up);

    // Released and pressed again between two polls: also Up, whatever the order in time.
    pushKey(SDL_KEYDOWN, SDLK_a);
    updateInput();
    pushKey(SDL_KEYUP, SDLK_a);
    pushKey(SDL_KEYDOWN, SDLK_a);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_a], Up);

    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], Up);
}

TEST_F(InputTest, DownOnAHeldKeyPressesItAgain) {
    pushKey(SDL_KEYDOWN, SDLK_d);
    updateInput();
    updateInput();
    ASSERT_EQ(keyStates[SDLK_d], Held);
    pushKey(SDL_KEYDOWN, SDLK_d);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_d], Pressed);
}

TEST_F(InputTest, TablesTrackSymbol499AndButton9AndDropWhatLiesBeyond) {
    pushKey(SDL_KEYDOWN, 499);
    pushKey(SDL_KEYDOWN, 500);
    pushKey(SDL_KEYDOWN, 511);
    pushButton(SDL_MOUSEBUTTONDOWN, 9);
    pushButton(SDL_MOUSEBUTTONDOWN, 10);
    pushButton(SDL_MOUSEBUTTONDOWN, 255);
    updateInput();
    EXPECT_EQ(keyStates[499], Pressed);
    EXPECT_EQ(mouseButtonStates[9], Pressed);
    EXPECT_EQ(std::count(std::begin(keyStates), std::end(keyStates), Pressed), 1);
    EXPECT_EQ(std::count(std::begin(mouseButtonStates), std::end(mouseButtonStates), Pressed), 1);
    EXPECT_EQ(queued(), 0) << "dropped events are still taken out of the queue";
}

TEST_F(InputTest, MouseButtonsFollowTheSameStatesAsKeys) {
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], Pressed);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], Held);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], Up);
}

TEST_F(InputTest, MotionAndQuitEventsStayQueuedForTheDrain) {
    pushPlain(SDL_MOUSEMOTION);
    pushKey(SDL_KEYDOWN, SDLK_s);
    pushPlain(SDL_QUIT);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushPlain(SDL_ACTIVEEVENT);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_s], Pressed);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], Pressed);
    EXPECT_EQ(queued(), 3);

    quitRequested = 0;
    drainEvents();
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(queued(), 0);
}

TEST_F(InputTest, PointerFollowsTheMouse) {
    SDL_WarpMouse(123, 456);
    SDL_PumpEvents();
    updateInput();
    EXPECT_EQ(pointer.x, 123);
    EXPECT_EQ(pointer.y, 456);
}

TEST(PointerClamp, KeepsThePointerWithin640By480BoundsIncluded) {
    struct Case {
        int x, y, wantX, wantY;
    };
    const Case cases[] = {
        {-1, -1, 0, 0},       {0, 0, 0, 0},          {640, 480, 640, 480},
        {641, 481, 640, 480}, {-5000, 9000, 0, 480}, {320, 240, 320, 240},
    };
    for (const Case& c : cases) {
        const ScreenPoint p = clampPointer(c.x, c.y);
        EXPECT_EQ(p.x, c.wantX) << c.x << "," << c.y;
        EXPECT_EQ(p.y, c.wantY) << c.x << "," << c.y;
    }
}

} // namespace
