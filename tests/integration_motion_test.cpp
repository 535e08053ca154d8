// The equations of motion, the Runge-Kutta-Gill step and the frame's motion: worked examples,
// the step against its printed digits, and the energy of stiff chains over 1000 frames.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chain_fixture.h"
#include "integration/integration.h"
#include "integration/rkg_step.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

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
    double untouched = 7.0;
    rkgStep(0.0, 0.01, &untouched, &untouched, 0);
    EXPECT_EQ(untouched, 7.0) << "no components, nothing written";
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

// Sub-stepped chains lose at most 1e-4 of their energy over 1000 frames, from just past the
// plain steps' limit (K = 300: omega h = 0.32) to the stiffest chain the dialogue takes (omega h
// = 632). A chain of plain steps (K = 40: omega h = 0.12) keeps the method's own loss.
TEST(FrameMotion, ChainsKeepTheirEnergyOver1000Frames) {
    const struct {
        Chain chain;
        double tolerance;
    } cases[] = {{uniformChain(3, 1.0, 40.0), 0.02},
                 {uniformChain(3, 1.0, 300.0), 1e-4},
                 {uniformChain(3, 1.0, 2.0e4), 1e-4},
                 {uniformChain(5, 0.01, 1e4), 1e-4},
                 {uniformChain(20, 0.001, 1e6), 1e-4}};
    for (const auto& c : cases) {
        const double ratio = relativeEnergyAfterFrames(c.chain, 1000);
        EXPECT_NEAR(ratio, 1.0, c.tolerance)
            << "K " << c.chain.springs[0] << " parts " << subStepsPerStep(omega0[nfree - 1], 0.01);
        for (int i = 0; i < 2 * nfree; ++i) {
            ASSERT_TRUE(std::isfinite(StateVector[i]));
        }
    }
}

// A split step is taken as the map of its sub-steps; it must agree with taking them one by one.
TEST(FrameMotion, StepMapMatchesTheSubSteps) {
    for (const Chain& chain : {uniformChain(3, 1.0, 300.0), uniformChain(5, 0.01, 1e4),
                               Chain{{0.001, 2.0, 0.05, 1e3}, {1e6, 10.0, 1e5, 0.0, 3.0}},
                               uniformChain(20, 0.001, 1e6)}) {
        loadChain(chain);
        SearchNaturalFrequencies();
        const int n = 2 * nfree;
        std::vector<double> start(n);
        for (int i = 0; i < n; ++i) {
            start[i] = std::sin(1.0 + i);
        }
        std::copy(start.begin(), start.end(), StateVector);
        SimTime = 0.0;
        advanceMotion();
        const int parts = subStepsPerStep(omega0[nfree - 1], 0.01);
        ASSERT_GT(parts, 1);
        std::vector<double> y = start;
        for (int sub = 0; sub < 4 * parts; ++sub) {
            rkgStep(0.0, 0.01 / parts, y.data(), y.data(), n);
        }
        for (int i = 0; i < n; ++i) {
            // Velocities are omega times larger than displacements; rounding of either scales
            // with the largest of the state.
            const double largest = i % 2 == 0 ? 1.0 : omega0[nfree - 1];
            EXPECT_NEAR(StateVector[i], y[i], 1e-9 * largest) << "component " << i;
        }
    }
}

// The step map belongs to one chain: new springs on the same masses, split into as many parts as
// before, build it anew, so the motion is the new chain's and not the old one's.
TEST(FrameMotion, StepMapFollowsAChangeOfSpringsAlone) {
    loadChain(uniformChain(3, 1.0, 2.0e4));
    SearchNaturalFrequencies();
    const int parts = subStepsPerStep(omega0[nfree - 1], 0.01);
    advanceMotion();
    K[1] = 2.1e4;
    SearchNaturalFrequencies();
    ASSERT_EQ(subStepsPerStep(omega0[nfree - 1], 0.01), parts);
    const double start[6] = {0.1, 0, -0.2, 0, 0.3, 0};
    std::copy(start, start + 6, StateVector);
    advanceMotion();
    std::vector<double> y(start, start + 6);
    for (int sub = 0; sub < 4 * parts; ++sub) {
        rkgStep(0.0, 0.01 / parts, y.data(), y.data(), 6);
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(StateVector[i], y[i], 1e-9 * (i % 2 == 0 ? 1.0 : omega0[nfree - 1]));
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
