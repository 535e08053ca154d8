// The equations of motion, the Runge-Kutta-Gill step and the frame's motion: worked examples,
// the step against its printed digits, and the energy of stiff chains over 1000 frames.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/simulation_state.h"
#include "chain_fixture.h"
#include "integration/integration.h"
#include "modal/modal.h"

using namespace SimulationState;

namespace {

TEST(EquationsOfMotion, WorkedExamples) {
    loadChain({{1, 1}, {1, 1, 1}});
    const double y[4] = {1, 0, 0, 0};
    const double expected[4] = {0, -2, 0, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(stateDerivative(i, 0.0, y), expected[i]) << i;
        EXPECT_EQ(stateDerivative(i, 123.0, y), expected[i]) << "time does not matter";
    }

    loadChain({{2}, {3, 5}});
    const double single[2] = {0.5, 7.0};
    EXPECT_EQ(stateDerivative(0, 0.0, single), 7.0);
    EXPECT_EQ(stateDerivative(1, 0.0, single), -(3.0 + 5.0) * 0.5 / 2.0);
}

// A rigid shift d of every mass stretches only the wall springs.
TEST(EquationsOfMotion, EqualDisplacementsMoveOnlyTheEnds) {
    loadChain({{1, 2, 3, 4}, {10, 20, 30, 40, 50}});
    const double d = 0.25;
    const double y[8] = {d, 1, d, 2, d, 3, d, 4};
    EXPECT_EQ(stateDerivative(1, 0.0, y), -10.0 * d / 1.0);
    EXPECT_EQ(stateDerivative(3, 0.0, y), 0.0);
    EXPECT_EQ(stateDerivative(5, 0.0, y), 0.0);
    EXPECT_EQ(stateDerivative(7, 0.0, y), -50.0 * d / 4.0);
    for (int i = 0; i < 8; i += 2) {
        EXPECT_EQ(stateDerivative(i, 0.0, y), y[i + 1]);
    }
}

// Two 1 kg masses on 1 N/m springs, mass 1 displaced by 1 m, one step of 0.01 s. The Gill
// constants as decimals give these eleven digits; the classical scheme or exact constants would
// end the last three components in ...6667, ...3333 and ...3333.
TEST(RungeKuttaGill, OneStepToElevenDigits) {
    loadChain({{1, 1}, {1, 1, 1}});
    const double y[4] = {1, 0, 0, 0};
    double out[4];
    rkgStep(0.0, 0.01, y, out, 4);
    const double expected[4] = {0.99990000208, -0.019999166660, 0.000049998333316, 0.0099993333300};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(out[i], expected[i], 0.6e-11 * std::fabs(expected[i])) << i;
    }
    EXPECT_GT(std::fabs(out[1] - -0.019999166667), 5e-12);
}

TEST(RungeKuttaGill, InPlaceRestAndTime) {
    loadChain({{1, 1}, {1, 1, 1}});
    double state[4] = {1, 0, 0, 0};
    double copy[4];
    rkgStep(0.0, 0.01, state, copy, 4);
    rkgStep(5.0, 0.01, state, state, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(state[i], copy[i]) << "in place and at another time alike";
    }
    double rest[4] = {0, 0, 0, 0};
    rkgStep(0.0, 0.01, rest, rest, 4);
    for (double v : rest) {
        EXPECT_EQ(v, 0.0);
    }
    rkgStep(0.0, 0.01, nullptr, nullptr, 0);
}

double energy() {
    double e = 0.0;
    for (int i = 0; i < nfree; ++i) {
        const double v = StateVector[2 * i + 1];
        e += 0.5 * m[i] * v * v;
    }
    for (int i = 0; i <= nfree; ++i) {
        const double left = i > 0 ? StateVector[2 * i - 2] : 0.0;
        const double right = i < nfree ? StateVector[2 * i] : 0.0;
        e += 0.5 * K[i] * (right - left) * (right - left);
    }
    return e;
}

// Starts the chain in its stiffest mode, the one the step treats worst, and runs 1000 frames.
double relativeEnergyAfterFrames(const Chain& chain, int frames) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
    for (int i = 0; i < nfree; ++i) {
        StateVector[2 * i] = ModeShape[nfree - 1][i] / ModeMaxAmplitude[nfree - 1];
        StateVector[2 * i + 1] = 0.0;
    }
    SimTime = 0.0;
    const double start = energy();
    for (int f = 0; f < frames; ++f) {
        advanceMotion();
    }
    return energy() / start;
}

// K/m = 1e6: omega h reaches about 19, where a plain step of 0.01 s blows up within frames.
TEST(FrameMotion, StiffChainKeepsItsEnergyOver1000Frames) {
    const double ratio = relativeEnergyAfterFrames(uniformChain(5, 0.01, 1e4), 1000);
    EXPECT_NEAR(ratio, 1.0, 0.02);
    for (int i = 0; i < 2 * nfree; ++i) {
        ASSERT_TRUE(std::isfinite(StateVector[i]));
    }
}

// Just past the plain steps' limit, and in the band where a plain step is stable but damps.
TEST(FrameMotion, ModeratelyStiffChainsKeepTheirEnergy) {
    for (double spring : {40.0, 300.0, 2.0e4}) {
        const double ratio = relativeEnergyAfterFrames(uniformChain(3, 1.0, spring), 1000);
        EXPECT_NEAR(ratio, 1.0, 0.02) << "K = " << spring;
    }
}

// Chains whose stiffest mode has omega h <= 0.25 keep plain steps, bit for bit.
TEST(FrameMotion, SoftChainsTakePlainSteps) {
    EXPECT_EQ(subStepsPerStep(25.0, 0.01), 1);
    EXPECT_EQ(subStepsPerStep(0.0, 0.01), 1);
    EXPECT_GT(subStepsPerStep(25.1, 0.01), 1);

    loadChain(uniformChain(3, 1.0, 100.0)); // omega max 18.48 rad/s
    SearchNaturalFrequencies();
    const double start[6] = {1, 0, -0.5, 0.2, 0.1, 0};
    std::copy(start, start + 6, StateVector);
    SimTime = 0.0;
    advanceMotion();
    double plain[6];
    std::copy(start, start + 6, plain);
    double t = 0.0;
    for (int step = 0; step < 4; ++step) {
        double input[6];
        std::copy(plain, plain + 6, input);
        rkgStep(t, 0.01, input, plain, 6);
        t += 0.01;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(StateVector[i], plain[i]);
    }
    EXPECT_EQ(SimTime, 0.01 + 0.01 + 0.01 + 0.01);
}

// The decimal Gill constants integrate even a constant velocity only to about 3e-10 per second.
TEST(FrameMotion, UnconnectedMassesDrift) {
    loadChain({{1, 2}, {0, 0, 0}});
    SearchNaturalFrequencies();
    StateVector[0] = 0.0;
    StateVector[1] = 1.0;
    StateVector[2] = 0.5;
    StateVector[3] = -0.5;
    for (int f = 0; f < 25; ++f) {
        advanceMotion();
    }
    EXPECT_NEAR(StateVector[0], 1.0, 1e-9);
    EXPECT_NEAR(StateVector[2], 0.0, 1e-9);
}

} // namespace
