#include "app/input.h"
#include "sdl_test_support.h"

#include <algorithm>

namespace {

class InputTest : public SdlScreenTest {
  protected:
    void SetUp() override { openScreen(32); }
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

TEST_F(InputTest, APressLastsOnePassThenHoldsUntilReleasedAndCanPressAgain) {
    const KeyState want[] = {Pressed, Held, Held, Pressed, Up};
    const Uint8 pushed[] = {SDL_KEYDOWN, 0, 0, SDL_KEYDOWN, SDL_KEYUP};
    for (int pass = 0; pass < 5; ++pass) {
        if (pushed[pass]) {
            push(pushed[pass], SDLK_w);
            push(pushed[pass] == SDL_KEYDOWN ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP,
                 SDL_BUTTON_RIGHT);
        }
        updateInput();
        EXPECT_EQ(keyStates[SDLK_w], want[pass]) << "pass " << pass;
        EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], want[pass]) << "pass " << pass;
    }
}

// Within one poll every down is applied before every up, whatever their order in time.
TEST_F(InputTest, APressAndReleaseBetweenTwoPollsEndsUpEitherWayRound) {
    push(SDL_KEYDOWN, SDLK_ESCAPE);
    push(SDL_KEYUP, SDLK_ESCAPE);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    push(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    push(SDL_KEYDOWN, SDLK_a);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_ESCAPE], Up);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], Up);

    push(SDL_KEYUP, SDLK_a);
    push(SDL_KEYDOWN, SDLK_a);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_a], Up);
}

TEST_F(InputTest, TablesTrackSymbol499AndButton9AndDropWhatLiesBeyond) {
    for (int symbol : {499, 500, 511}) {
        push(SDL_KEYDOWN, symbol);
    }
    for (int button : {9, 10, 255}) {
        push(SDL_MOUSEBUTTONDOWN, button);
    }
    updateInput();
    EXPECT_EQ(keyStates[499], Pressed);
    EXPECT_EQ(mouseButtonStates[9], Pressed);
    EXPECT_EQ(std::count(std::begin(keyStates), std::end(keyStates), Pressed), 1);
    EXPECT_EQ(std::count(std::begin(mouseButtonStates), std::end(mouseButtonStates), Pressed), 1);
    EXPECT_EQ(queued(), 0) << "dropped events still leave the queue";
}

TEST_F(InputTest, MotionAndQuitEventsStayQueuedUntilTheDrainEmptiesTheQueue) {
    push(SDL_MOUSEMOTION);
    push(SDL_KEYDOWN, SDLK_s);
    push(SDL_QUIT);
    push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    push(SDL_ACTIVEEVENT);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_s], Pressed);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], Pressed);
    EXPECT_EQ(queued(), 3);

    drainEvents();
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(queued(), 0);
}

TEST_F(InputTest, ThePointerFollowsTheMouse) {
    SDL_WarpMouse(123, 456);
    SDL_PumpEvents();
    updateInput();
    EXPECT_EQ(pointer.x, 123);
    EXPECT_EQ(pointer.y, 456);
}

} // namespace
