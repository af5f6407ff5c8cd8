#include "app/frame.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacing, SleepsOutTheRestOfSixteenMilliseconds) {
    EXPECT_EQ(remainingFrameTime(1000, 1000), 16u);
    EXPECT_EQ(remainingFrameTime(1000, 1005), 11u);
    EXPECT_EQ(remainingFrameTime(1000, 1015), 1u);
}

TEST(FramePacing, APassOfSixteenMillisecondsOrMoreIsNotDelayed) {
    EXPECT_EQ(remainingFrameTime(1000, 1016), 0u);
    EXPECT_EQ(remainingFrameTime(1000, 1017), 0u);
    EXPECT_EQ(remainingFrameTime(1000, 61000), 0u);
}

TEST(FramePacing, ATickCounterThatWrapsDoesNotDisturbThePacing) {
    EXPECT_EQ(remainingFrameTime(0xFFFFFFFAu, 0xFFFFFFFFu), 11u);
    EXPECT_EQ(remainingFrameTime(0xFFFFFFFAu, 4u), 6u);  // 10 ms across the wrap
    EXPECT_EQ(remainingFrameTime(0xFFFFFFFAu, 10u), 0u); // 16 ms across the wrap
    EXPECT_EQ(remainingFrameTime(0xFFFFFFF0u, 0x7Fu), 0u);
}

TEST(FramePacing, PaceFrameSleepsRatherThanSpinsAndNeverPastThePeriod) {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
    const Uint32 start = SDL_GetTicks();
    paceFrame(start);
    const Uint32 took = SDL_GetTicks() - start;
    EXPECT_GE(took, 15u);
    EXPECT_LT(took, 100u);

    const Uint32 late = SDL_GetTicks() - 40; // a pass that already ran long
    const Uint32 before = SDL_GetTicks();
    paceFrame(late);
    EXPECT_LT(SDL_GetTicks() - before, 5u);
    SDL_Quit();
}

TEST(FrameDrain, EmptiesTheQueueAndNotesAQuit) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(64, 48, 32, 0), nullptr);
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    SDL_PushEvent(&event);
    quitRequested = 0;
    drainEvents();
    EXPECT_EQ(quitRequested, 0);

    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    event.type = SDL_ACTIVEEVENT;
    SDL_PushEvent(&event);
    drainEvents();
    EXPECT_EQ(quitRequested, 1);
    SDL_Event left[8];
    EXPECT_EQ(SDL_PeepEvents(left, 8, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
    SDL_Quit();
}

} // namespace
