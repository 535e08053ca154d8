// The window's keys as commands on the shared model, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/keys.h"
#include "dialogue/token_reader.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

// Eight presses of 't' from 0.005 give 0.0021523; the ninth would cross 0.002 and is refused.
TEST(KeyCommands, LowerTStopsAtTheSmallestTimeScale) {
    Picture.TimeScale = 0.005;
    for (int press = 1; press <= 20; ++press) {
        EXPECT_EQ(applyKeyCommand('t'), KeyOutcome::Redraw);
        EXPECT_GE(Picture.TimeScale, 0.002);
    }
    EXPECT_NEAR(Picture.TimeScale, 0.005 * std::pow(0.9, 8), 1e-15);
    for (int press = 0; press < 8; ++press) {
        applyKeyCommand('T');
    }
    EXPECT_NEAR(Picture.TimeScale, 0.005, 1e-15);
}

TEST(KeyCommands, AmplitudeKeysScaleEveryMassAndNothingElse) {
    Entries.chain.nfree = 3;
    Entries.start.ncurve = 2;
    Entries.start.MaxAmplitude = 1.0;
    for (double& a : Picture.AmplitudeScale) {
        a = 0.5;
    }
    EXPECT_EQ(applyKeyCommand('y'), KeyOutcome::Redraw);
    EXPECT_DOUBLE_EQ(Picture.AmplitudeScale[0], 0.45);
    EXPECT_DOUBLE_EQ(Picture.AmplitudeScale[2], 0.45);
    EXPECT_EQ(Picture.AmplitudeScale[3], 0.5);
    applyKeyCommand('Y');
    applyKeyCommand('Y');
    EXPECT_DOUBLE_EQ(Picture.AmplitudeScale[1], 0.5 / 0.9);
}

TEST(KeyCommands, OtherKeysOnlyLandInLastKey) {
    Picture.TimeScale = 0.005;
    for (unsigned char key : {'S', 'C', 'N', 'M', 'J', 'E', 'P', 'a', '1', '\t'}) {
        EXPECT_EQ(applyKeyCommand(key), KeyOutcome::Nothing);
        EXPECT_EQ(LastKey, static_cast<char>(key));
    }
    EXPECT_EQ(Picture.TimeScale, 0.005);
    EXPECT_EQ(applyKeyCommand('s'), KeyOutcome::Step);
    EXPECT_EQ(applyKeyCommand('p'), KeyOutcome::Save);
    EXPECT_EQ(applyKeyCommand(27), KeyOutcome::Quit);
    EXPECT_EQ(applyKeyCommand(' '), KeyOutcome::TogglePlay);
}

// Ten thousand presses either way leave every scale finite and non-zero, and the opposite key
// brings the picture back within a few hundred presses.
TEST(KeyCommands, ScalesStayBoundedAndComeBack) {
    Entries.chain.nfree = 2;
    Entries.start.MaxAmplitude = 2.0;
    Picture.TimeScale = 0.005;
    Picture.AmplitudeScale[0] = Picture.AmplitudeScale[1] = 0.25;
    for (int press = 0; press < 10000; ++press) {
        applyKeyCommand('T');
        applyKeyCommand('Y');
    }
    EXPECT_TRUE(std::isfinite(Picture.TimeScale) && std::isfinite(Picture.AmplitudeScale[0]));
    int presses = 0;
    while ((Picture.TimeScale > 0.0051 ||
            Picture.AmplitudeScale[0] * Entries.start.MaxAmplitude > 0.51) &&
           presses < 1000) {
        applyKeyCommand('t');
        applyKeyCommand('y');
        ++presses;
    }
    EXPECT_LT(presses, 200) << "'t' and 'y' bring the start picture back";
    for (int press = 0; press < 10000; ++press) {
        applyKeyCommand('y');
    }
    EXPECT_GT(Picture.AmplitudeScale[0], 0.0);
    EXPECT_EQ(Picture.AmplitudeScale[1], Picture.AmplitudeScale[0]);
}

// The dialogue typed through a stream of its own, its output discarded.
void typeDialogue(std::string input, void (*run)()) {
    std::FILE* in = fmemopen(&input[0], input.size(), "r");
    startReadingNewSource();
    std::FILE* out = std::fopen("/dev/null", "w");
    std::FILE* const savedIn = stdin;
    std::FILE* const savedOut = stdout;
    stdin = in;
    stdout = out;
    run();
    stdin = savedIn;
    stdout = savedOut;
    std::fclose(in);
    std::fclose(out);
}

// 'n' and a typed start with velocities and no curve drawn; then 'j' and a mode start; then 'y'
// and 'c' raising the curve count. Each dialogue starts a run.
TEST(KeyCommands, ModeStartFromRestAndScalesForEveryMass) {
    typeDialogue("3\n1 1 1\n1 1 1 1\n0\nn\n0 1\n0 2\n0 3\n", [] { applyKeyCommand('n'); });
    EXPECT_EQ(Motion.StateVector[5], 3.0);
    EXPECT_EQ(Picture.AmplitudeScale[0], 0.5) << "the chain's scale is set with no curve drawn";
    EXPECT_EQ(Picture.HistoryIndex, 0);
    EXPECT_EQ(Picture.TimeScale, 0.005);

    typeDialogue("y\n2\n", [] { applyKeyCommand('j'); });
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        EXPECT_EQ(Motion.StateVector[2 * i], Entries.modes.ModeShape[1][i]);
        EXPECT_EQ(Motion.StateVector[2 * i + 1], 0.0) << "a mode starts from rest";
    }
    applyKeyCommand('y');
    typeDialogue("3\n", [] { applyKeyCommand('c'); });
    EXPECT_EQ(Entries.start.ncurve, 3);
    EXPECT_EQ(Picture.AmplitudeScale[2], Picture.AmplitudeScale[0])
        << "an added curve takes curve 1's scale";
    EXPECT_EQ(Picture.AmplitudeScale[0], 0.9 * 0.5 / Entries.start.MaxAmplitude);
}

} // namespace
