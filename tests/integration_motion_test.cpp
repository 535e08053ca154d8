// The equations of motion, the Runge-Kutta-Gill step and the frame's motion: worked examples,
// the step against its printed digits, and the energy of stiff chains over 1000 frames.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chain_fixture.h"
#include "integration/integration.h"
#include "integration/rkg_step.h"

namespace {

// Where the frames' steps are recorded (a ring far larger than a stack).
StepRecord Steps;

// The stiffest natural frequency (rad/s), from LAPACK.
double stiffestOmega(const Chain& chain) {
    return std::sqrt(referenceModes(chain).lambda.back());
}

TEST(EquationsOfMotion, WorkedExamples) {
    const MassSpringChain two = chainOf({{1, 1}, {1, 1, 1}});
    const double y[4] = {1, 0, 0, 0};
    const double expected[4] = {0, -2, 0, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(stateDerivative(two, i, 0.0, y), expected[i]) << i;
        EXPECT_EQ(stateDerivative(two, i, 123.0, y), expected[i]) << "time does not matter";
    }

    const MassSpringChain one = chainOf({{2}, {3, 5}});
    const double single[2] = {0.5, 7.0};
    EXPECT_EQ(stateDerivative(one, 0, 0.0, single), 7.0);
    EXPECT_EQ(stateDerivative(one, 1, 0.0, single), -(3.0 + 5.0) * 0.5 / 2.0);
}

// A rigid shift d of every mass stretches only the wall springs.
TEST(EquationsOfMotion, EqualDisplacementsMoveOnlyTheEnds) {
    const MassSpringChain chain = chainOf({{1, 2, 3, 4}, {10, 20, 30, 40, 50}});
    const double d = 0.25;
    const double y[8] = {d, 1, d, 2, d, 3, d, 4};
    EXPECT_EQ(stateDerivative(chain, 1, 0.0, y), -10.0 * d / 1.0);
    EXPECT_EQ(stateDerivative(chain, 3, 0.0, y), 0.0);
    EXPECT_EQ(stateDerivative(chain, 5, 0.0, y), 0.0);
    EXPECT_EQ(stateDerivative(chain, 7, 0.0, y), -50.0 * d / 4.0);
    for (int i = 0; i < 8; i += 2) {
        EXPECT_EQ(stateDerivative(chain, i, 0.0, y), y[i + 1]);
    }
}

// Two 1 kg masses on 1 N/m springs, mass 1 displaced by 1 m, one step of 0.01 s. The Gill
// constants as decimals give these eleven digits; the classical scheme or exact constants would
// end the last three components in ...6667, ...3333 and ...3333.
TEST(RungeKuttaGill, OneStepToElevenDigits) {
    const MassSpringChain chain = chainOf({{1, 1}, {1, 1, 1}});
    const double y[4] = {1, 0, 0, 0};
    double out[4];
    rkgStep(chain, 0.0, 0.01, y, out, 4);
    const double expected[4] = {0.99990000208, -0.019999166660, 0.000049998333316, 0.0099993333300};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(out[i], expected[i], 0.6e-11 * std::fabs(expected[i])) << i;
    }
    EXPECT_GT(std::fabs(out[1] - -0.019999166667), 5e-12);
}

TEST(RungeKuttaGill, InPlaceRestAndTime) {
    const MassSpringChain chain = chainOf({{1, 1}, {1, 1, 1}});
    double state[4] = {1, 0, 0, 0};
    double copy[4];
    rkgStep(chain, 0.0, 0.01, state, copy, 4);
    rkgStep(chain, 5.0, 0.01, state, state, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(state[i], copy[i]) << "in place and at another time alike";
    }
    double rest[4] = {0, 0, 0, 0};
    rkgStep(chain, 0.0, 0.01, rest, rest, 4);
    for (double v : rest) {
        EXPECT_EQ(v, 0.0);
    }
    double untouched = 7.0;
    rkgStep(chain, 0.0, 0.01, &untouched, &untouched, 0);
    EXPECT_EQ(untouched, 7.0) << "no components, nothing written";
}

double energy(const Chain& chain, const double* state) {
    const ReferenceEnergy e =
        referenceEnergy(chain, std::vector<double>(state, state + 2 * chain.masses.size()));
    return e.kinetic + e.potential;
}

// Starts the chain in its stiffest mode, the one the step treats worst, and runs 1000 frames.
double relativeEnergyAfterFrames(const Chain& chain, int frames) {
    const MassSpringChain c = chainOf(chain);
    const ReferenceModes ref = referenceModes(chain);
    const int n = c.nfree;
    double state[StateCapacity] = {};
    for (int i = 0; i < n; ++i) {
        state[2 * i] = ref.shape[n - 1][i];
    }
    double t = 0.0;
    const double start = energy(chain, state);
    for (int f = 0; f < frames; ++f) {
        advanceMotion(c, stiffestOmega(chain), state, &t, &Steps);
    }
    for (int i = 0; i < 2 * n; ++i) {
        EXPECT_TRUE(std::isfinite(state[i]));
    }
    return energy(chain, state) / start;
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
        EXPECT_NEAR(ratio, 1.0, c.tolerance) << "K " << c.chain.springs[0] << " parts "
                                             << subStepsPerStep(stiffestOmega(c.chain), 0.01);
    }
}

// Four frames of sub-steps taken one by one, from `start`.
std::vector<double> subStepsOneByOne(const MassSpringChain& chain, int parts,
                                     std::vector<double> y) {
    for (int sub = 0; sub < 4 * parts; ++sub) {
        rkgStep(chain, 0.0, 0.01 / parts, y.data(), y.data(), static_cast<int>(y.size()));
    }
    return y;
}

// A split step is taken as the map of its sub-steps; it must agree with taking them one by one.
TEST(FrameMotion, StepMapMatchesTheSubSteps) {
    for (const Chain& chain : {uniformChain(3, 1.0, 300.0), uniformChain(5, 0.01, 1e4),
                               Chain{{0.001, 2.0, 0.05, 1e3}, {1e6, 10.0, 1e5, 0.0, 3.0}},
                               uniformChain(20, 0.001, 1e6)}) {
        const MassSpringChain c = chainOf(chain);
        const double omegaMax = stiffestOmega(chain);
        const int n = 2 * c.nfree;
        std::vector<double> start(n);
        for (int i = 0; i < n; ++i) {
            start[i] = std::sin(1.0 + i);
        }
        std::vector<double> state = start;
        double t = 0.0;
        advanceMotion(c, omegaMax, state.data(), &t, &Steps);
        const int parts = subStepsPerStep(omegaMax, 0.01);
        ASSERT_GT(parts, 1);
        const std::vector<double> y = subStepsOneByOne(c, parts, start);
        for (int i = 0; i < n; ++i) {
            // Velocities are omega times larger than displacements; rounding of either scales
            // with the largest of the state.
            const double largest = i % 2 == 0 ? 1.0 : omegaMax;
            EXPECT_NEAR(state[i], y[i], 1e-9 * largest) << "component " << i;
        }
    }
}

// The step map belongs to one chain: new springs on the same masses, split into as many parts as
// before, build it anew, so the motion is the new chain's and not the old one's.
TEST(FrameMotion, StepMapFollowsAChangeOfSpringsAlone) {
    Chain chain = uniformChain(3, 1.0, 2.0e4);
    const int parts = subStepsPerStep(stiffestOmega(chain), 0.01);
    double state[6] = {0.1, 0, -0.2, 0, 0.3, 0};
    double t = 0.0;
    advanceMotion(chainOf(chain), stiffestOmega(chain), state, &t, &Steps);
    chain.springs[1] = 2.1e4;
    const double omegaMax = stiffestOmega(chain);
    ASSERT_EQ(subStepsPerStep(omegaMax, 0.01), parts);
    const double start[6] = {0.1, 0, -0.2, 0, 0.3, 0};
    std::copy(start, start + 6, state);
    advanceMotion(chainOf(chain), omegaMax, state, &t, &Steps);
    const std::vector<double> y =
        subStepsOneByOne(chainOf(chain), parts, std::vector<double>(start, start + 6));
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(state[i], y[i], 1e-9 * (i % 2 == 0 ? 1.0 : omegaMax));
    }
}

// Chains whose stiffest mode has omega h <= 0.25 keep plain steps, bit for bit.
TEST(FrameMotion, SoftChainsTakePlainSteps) {
    EXPECT_EQ(subStepsPerStep(25.0, 0.01), 1);
    EXPECT_EQ(subStepsPerStep(0.0, 0.01), 1);
    EXPECT_GT(subStepsPerStep(25.1, 0.01), 1);

    const Chain chain = uniformChain(3, 1.0, 100.0); // omega max 18.48 rad/s
    const MassSpringChain c = chainOf(chain);
    const double start[6] = {1, 0, -0.5, 0.2, 0.1, 0};
    double state[6];
    std::copy(start, start + 6, state);
    double simTime = 0.0;
    advanceMotion(c, stiffestOmega(chain), state, &simTime, &Steps);
    double plain[6];
    std::copy(start, start + 6, plain);
    double t = 0.0;
    for (int step = 0; step < 4; ++step) {
        double input[6];
        std::copy(plain, plain + 6, input);
        rkgStep(c, t, 0.01, input, plain, 6);
        t += 0.01;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(state[i], plain[i]);
    }
    EXPECT_EQ(simTime, 0.01 + 0.01 + 0.01 + 0.01);
}

// The decimal Gill constants integrate even a constant velocity only to about 3e-10 per second.
TEST(FrameMotion, UnconnectedMassesDrift) {
    const MassSpringChain chain = chainOf({{1, 2}, {0, 0, 0}});
    double state[4] = {0.0, 1.0, 0.5, -0.5};
    double t = 0.0;
    for (int f = 0; f < 25; ++f) {
        advanceMotion(chain, 0.0, state, &t, &Steps);
    }
    EXPECT_NEAR(state[0], 1.0, 1e-9);
    EXPECT_NEAR(state[2], 0.0, 1e-9);
}

} // namespace
