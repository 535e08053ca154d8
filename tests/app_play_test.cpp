// Play's clock, on a clock the test sets: frames at one per 0.04 s of wall time, the frames of a
// late tick caught up at once, a long stall restarting the clock, and the ticks of a play since
// stopped doing nothing.
#include <gtest/gtest.h>

#include "app/play_clock.h"

namespace {

constexpr double Frame = 0.04; // s

TEST(PlayClock, OneFramePerFrameTimeOfTheWall) {
    startPlay(100.0);
    const int generation = playGeneration();
    EXPECT_TRUE(playing());
    EXPECT_EQ(msToNextFrame(100.0), 40);
    const PlayTick early = playTick(generation, 100.0 + 0.5 * Frame);
    EXPECT_TRUE(early.live);
    EXPECT_EQ(early.frames, 0) << "no frame before its time";
    const PlayTick first = playTick(generation, 100.0 + 1.01 * Frame);
    EXPECT_EQ(first.frames, 1);
    EXPECT_EQ(first.msToNext, 40) << "the next frame's time, not a tick's later";
    EXPECT_EQ(playTick(generation, 100.0 + 2.02 * Frame).frames, 1);
    stopPlay();
}

// The program was busy for seven frames: they are all advanced at the next tick (the last of them
// drawn), and the clock keeps its time.
TEST(PlayClock, ALateTickCatchesUp) {
    startPlay(0.0);
    const int generation = playGeneration();
    EXPECT_EQ(playTick(generation, 7.5 * Frame).frames, 7);
    EXPECT_EQ(playTick(generation, 8.01 * Frame).frames, 1);
    stopPlay();
}

// A suspended machine or a debugger held the program for a minute: rather than 1500 frames at
// once, one frame, and the clock starts again from there.
TEST(PlayClock, AStallRestartsTheClock) {
    startPlay(0.0);
    const int generation = playGeneration();
    const PlayTick after = playTick(generation, 60.0);
    EXPECT_EQ(after.frames, 1);
    EXPECT_EQ(after.msToNext, 80);
    EXPECT_EQ(playTick(generation, 60.0 + 2.01 * Frame).frames, 1);
    stopPlay();
}

// A tick scheduled before play stopped arrives afterwards, or after play started again: it is
// stale and asks for nothing, so two plays never run side by side.
TEST(PlayClock, AStaleTickDoesNothing) {
    startPlay(0.0);
    const int old = playGeneration();
    stopPlay();
    EXPECT_FALSE(playing());
    EXPECT_FALSE(playTick(old, 1.0).live);
    startPlay(2.0);
    EXPECT_FALSE(playTick(old, 3.0).live);
    EXPECT_TRUE(playTick(playGeneration(), 3.0).live);
    stopPlay();
}

} // namespace
