// Mode shapes: worked examples, the analytic modes of the uniform chain, and chains where mass 1
// rests in some modes.
#include <gtest/gtest.h>

#include <cmath>

#include "app/simulation_state.h"
#include "chain_fixture.h"
#include "modal/modal.h"

using namespace SimulationState;

namespace {

const double Pi = std::acos(-1.0);

void analyse(const Chain& chain) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
}

TEST(ModeShapes, WorkedExamples) {
    analyse({{1, 1}, {1, 1, 1}});
    EXPECT_EQ(ModeShape[0][0], 1.0);
    EXPECT_NEAR(ModeShape[0][1], 1.0, 1e-12);
    EXPECT_NEAR(ModeShape[1][1], -1.0, 1e-12);
    EXPECT_EQ(ModeMaxAmplitude[0], 1.0);
    EXPECT_NEAR(ModeMaxAmplitude[1], 1.0, 1e-12);

    analyse({{1, 2}, {10, 20, 30}});
    // (K - lambda M) y = 0, first row: y2 = (30 - lambda) / 20.
    // det(K - lambda M) = 2 lambda^2 - 110 lambda + 1100.
    const double low = (110.0 - std::sqrt(110.0 * 110.0 - 8.0 * 1100.0)) / 4.0;
    EXPECT_NEAR(ModeShape[0][1], (30.0 - low) / 20.0, 1e-12);
    EXPECT_NEAR(ModeShape[0][1], 0.8431, 5e-5);
    EXPECT_NEAR(ModeShape[1][1], -0.5931, 5e-5);

    analyse({{3}, {2, 5}});
    EXPECT_EQ(ModeShape[0][0], 1.0);
    EXPECT_EQ(ModeMaxAmplitude[0], 1.0);
}

// Mode k of n equal masses: y_i = sin(i k pi / (n+1)) / sin(k pi / (n+1)), i = 1 ... n. Weak
// springs (0.4 N/m) make the reduced determinant of a fixed-end solve fall below any absolute
// threshold, and the high modes of 20 masses barely move the last mass.
TEST(ModeShapes, UniformChainsMatchTheAnalyticModes) {
    for (double spring : {1.0, 0.4, 0.002}) {
        for (int n = 1; n <= 20; ++n) {
            analyse(uniformChain(n, 1.0, spring));
            for (int k = 1; k <= n; ++k) {
                const double first = std::sin(k * Pi / (n + 1));
                double largest = 0.0;
                for (int i = 1; i <= n; ++i) {
                    largest = std::fmax(largest, std::fabs(std::sin(i * k * Pi / (n + 1)) / first));
                }
                EXPECT_EQ(ModeShape[k - 1][0], 1.0);
                for (int i = 1; i <= n; ++i) {
                    const double exact = std::sin(i * k * Pi / (n + 1)) / first;
                    ASSERT_NEAR(ModeShape[k - 1][i - 1], exact, 1e-9 * largest)
                        << "K " << spring << " n " << n << " mode " << k << " mass " << i;
                }
                EXPECT_NEAR(ModeMaxAmplitude[k - 1], largest, 1e-9 * largest);
            }
        }
    }
}

// Masses 19 and 18 of the highest mode of 20 masses, where the last mass barely moves.
TEST(ModeShapes, TwentyMassHighestModeToItsPrintedDigits) {
    analyse(uniformChain(20, 1.0, 1.0));
    EXPECT_NEAR(ModeShape[19][18], 1.9777, 5e-5);
    EXPECT_NEAR(ModeShape[19][17], -2.9111, 5e-5);
}

// An inner spring of 0: the halves vibrate alone. In the modes of the right half mass 1 rests, and
// the first mass that moves (mass 3) takes the reference amplitude 1.
TEST(ModeShapes, SplitChainModesMoveOneHalf) {
    analyse({{1, 1, 1, 1}, {1, 1, 0, 1, 1}});
    int leftModes = 0;
    int rightModes = 0;
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(std::isfinite(ModeShape[k][i]));
        }
        if (ModeShape[k][0] == 1.0) {
            ++leftModes;
            EXPECT_EQ(ModeShape[k][2], 0.0);
            EXPECT_EQ(ModeShape[k][3], 0.0);
        } else {
            ++rightModes;
            EXPECT_EQ(ModeShape[k][0], 0.0);
            EXPECT_FALSE(std::signbit(ModeShape[k][0]));
            EXPECT_EQ(ModeShape[k][1], 0.0);
            EXPECT_EQ(ModeShape[k][2], 1.0);
        }
        EXPECT_GE(ModeMaxAmplitude[k], 1.0);
    }
    EXPECT_EQ(leftModes, 2);
    EXPECT_EQ(rightModes, 2);
    // Equal roots keep the order of the halves. In the right half the first row gives
    // y4 / y3 = 1 - lambda, and its lower root is lambda = (3 - sqrt 5) / 2.
    EXPECT_NEAR(ModeShape[1][3], (std::sqrt(5.0) - 1.0) / 2.0, 1e-12);
}

TEST(ModeShapes, UnconnectedMassesEachMoveAlone) {
    analyse({{1, 2, 3}, {0, 0, 0, 0}});
    for (int k = 0; k < 3; ++k) {
        double sum = 0.0;
        for (int i = 0; i < 3; ++i) {
            sum += ModeShape[k][i];
            EXPECT_TRUE(ModeShape[k][i] == 0.0 || ModeShape[k][i] == 1.0);
        }
        EXPECT_EQ(sum, 1.0);
        EXPECT_EQ(ModeMaxAmplitude[k], 1.0);
    }
}

} // namespace
