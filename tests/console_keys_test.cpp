// The window's keys as commands on the shared state, without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "app/simulation_state.h"
#include "console/console.h"

using namespace SimulationState;

namespace {

// Eight presses of 't' from 0.005 give 0.0021523; the ninth would cross 0.002 and is refused.
TEST(KeyCommands, LowerTStopsAtTheSmallestTimeScale) {
    TimeScale = 0.005;
    for (int press = 1; press <= 20; ++press) {
        EXPECT_EQ(applyKeyCommand('t'), KeyOutcome::Redraw);
        EXPECT_GE(TimeScale, 0.002);
    }
    EXPECT_NEAR(TimeScale, 0.005 * std::pow(0.9, 8), 1e-15);
    for (int press = 0; press < 8; ++press) {
        applyKeyCommand('T');
    }
    EXPECT_NEAR(TimeScale, 0.005, 1e-15);
}

TEST(KeyCommands, AmplitudeKeysScaleEveryMassAndNothingElse) {
    nfree = 3;
    ncurve = 2;
    for (double& a : AmplitudeScale) {
        a = 0.5;
    }
    EXPECT_EQ(applyKeyCommand('y'), KeyOutcome::Redraw);
    EXPECT_DOUBLE_EQ(AmplitudeScale[0], 0.45);
    EXPECT_DOUBLE_EQ(AmplitudeScale[2], 0.45);
    EXPECT_EQ(AmplitudeScale[3], 0.5);
    applyKeyCommand('Y');
    applyKeyCommand('Y');
    EXPECT_DOUBLE_EQ(AmplitudeScale[1], 0.5 / 0.9);
}

TEST(KeyCommands, OtherKeysOnlyLandInLastKey) {
    TimeScale = 0.005;
    for (unsigned char key : {'S', 'C', 'N', 'M', 'J', 'a', '1', ' '}) {
        EXPECT_EQ(applyKeyCommand(key), KeyOutcome::Nothing);
        EXPECT_EQ(LastKey, static_cast<char>(key));
    }
    EXPECT_EQ(TimeScale, 0.005);
    EXPECT_EQ(applyKeyCommand('s'), KeyOutcome::Redraw);
    EXPECT_EQ(applyKeyCommand(27), KeyOutcome::Quit);
}

} // namespace
