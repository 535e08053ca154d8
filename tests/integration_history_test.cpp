// The response history: one sample per frame in a sweep that restarts at slot 0, never outside
// its row of 501 samples.
#include <gtest/gtest.h>

#include <cmath>

#include "integration/integration.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

void startSweep(double timeScale, int curves) {
    nfree = 3;
    ncurve = curves;
    TimeScale = timeScale;
    HistoryIndex = 0;
}

TEST(ResponseHistory, SweepOf201SamplesAtTheStartScale) {
    startSweep(0.005, 2);
    StateVector[0] = 0.25;
    StateVector[2] = -0.5;
    recordHistorySample();
    EXPECT_EQ(HistoryIndex, 1);
    EXPECT_EQ(ResponseHistory[0][1], 0.25);
    EXPECT_EQ(ResponseHistory[1][1], -0.5);
    for (int frame = 2; frame <= 200; ++frame) {
        recordHistorySample();
    }
    EXPECT_EQ(HistoryIndex, 200);
    StateVector[0] = 0.75;
    recordHistorySample();
    EXPECT_EQ(HistoryIndex, 0);
    EXPECT_EQ(ResponseHistory[0][0], 0.75);
}

TEST(ResponseHistory, OnlyDrawnCurvesAreRecorded) {
    startSweep(0.005, 1);
    ResponseHistory[1][1] = 42.0;
    StateVector[2] = 1.0;
    recordHistorySample();
    EXPECT_EQ(ResponseHistory[1][1], 42.0);
}

// Eight presses of 't' from 0.005 give 0.0021523 and a sweep of 465 samples; one press gives
// 0.0045 and indices 0 ... 222.
TEST(ResponseHistory, SweepLengthFollowsTheTimeScale) {
    for (const auto& [scale, last] : {std::pair<double, int>{0.005 * 0.9, 222},
                                      {0.005 * std::pow(0.9, 8), 464},
                                      {0.002, 500}}) {
        startSweep(scale, 1);
        int highest = 0;
        for (int frame = 0; frame < 2000; ++frame) {
            recordHistorySample();
            highest = std::max(highest, HistoryIndex);
        }
        EXPECT_EQ(highest, last) << scale;
    }
}

// Whatever the time scale holds, the index stays inside the row.
TEST(ResponseHistory, IndexStaysInsideTheRow) {
    for (double scale : {0.0019, 1e-6, 0.0, -1.0, std::nan(""), 2.0}) {
        startSweep(scale, 1);
        for (int frame = 0; frame < 2000; ++frame) {
            recordHistorySample();
            ASSERT_GE(HistoryIndex, 0);
            ASSERT_LT(HistoryIndex, HistoryLength) << scale;
        }
    }
}

} // namespace
