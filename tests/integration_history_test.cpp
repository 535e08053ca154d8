// The response history's sweep and the run's record: one sample per frame in a sweep that restarts
// at slot 0, never outside its row of 501 samples; the record's times as counted frames.
#include <gtest/gtest.h>

#include <cmath>

#include "integration/integration.h"
#include "integration/motion_record.h"

namespace {

// The slots that `frames` frames visit from a sweep's start, and the highest of them.
int highestSlot(double timeScale, int frames) {
    int index = 0;
    int highest = 0;
    for (int frame = 0; frame < frames; ++frame) {
        index = nextHistoryIndex(index, timeScale);
        highest = std::max(highest, index);
    }
    return highest;
}

// At the start scale a sweep is 201 samples: the 200th frame records at 200, the 201st at 0.
TEST(ResponseHistory, SweepOf201SamplesAtTheStartScale) {
    int index = 0;
    for (int frame = 1; frame <= 200; ++frame) {
        index = nextHistoryIndex(index, 0.005);
        ASSERT_EQ(index, frame);
    }
    EXPECT_EQ(nextHistoryIndex(index, 0.005), 0);
}

// Eight presses of 't' from 0.005 give 0.0021523 and a sweep of 465 samples; one press gives
// 0.0045 and indices 0 ... 222.
TEST(ResponseHistory, SweepLengthFollowsTheTimeScale) {
    EXPECT_EQ(highestSlot(0.005 * 0.9, 2000), 222);
    EXPECT_EQ(highestSlot(0.005 * std::pow(0.9, 8), 2000), 464);
    EXPECT_EQ(highestSlot(0.002, 2000), 500);
}

// Whatever the time scale holds, the index stays inside the row.
TEST(ResponseHistory, IndexStaysInsideTheRow) {
    for (double scale : {0.0019, 1e-6, 0.0, -1.0, std::nan(""), 2.0}) {
        int index = 0;
        for (int frame = 0; frame < 2000; ++frame) {
            index = nextHistoryIndex(index, scale);
            ASSERT_GE(index, 0);
            ASSERT_LT(index, HistoryLength) << scale;
        }
    }
}

// The record keeps the last HistoryLength frames, each frame's time its count times 0.04 s.
TEST(RunRecord, KeepsTheLastFramesAtCountedTimes) {
    static RunRecord record;
    double state[4] = {0.5, 0.0, -0.25, 0.0};
    startRecord(&record, 2, state);
    EXPECT_EQ(record.RecordCount, 1);
    EXPECT_EQ(record.RecordedTime[0], 0.0);
    EXPECT_EQ(record.RecordedDisplacement[0][1], -0.25);
    for (int frame = 1; frame <= 600; ++frame) {
        state[0] = frame;
        recordFrame(&record, 2, state);
    }
    EXPECT_EQ(record.RecordCount, HistoryLength);
    EXPECT_EQ(record.RunFrames, 600);
    EXPECT_EQ(record.RecordedTime[record.RecordNewest], 600 * 0.04);
    EXPECT_EQ(record.RecordedDisplacement[record.RecordNewest][0], 600.0);
}

} // namespace
