// Random chains against LAPACK's symmetric tridiagonal eigen-solver (dstev on M^-1/2 K M^-1/2):
// frequencies to their printed digits, mode shapes relative to their largest amplitude.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "chain_fixture.h"
#include "modal/chain_spectrum.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using SimulationState::Entries;

namespace {

double marchStepAt(double lambda) {
    return lambda > 1.0 ? 0.025 : (lambda > 0.1 ? 0.01 : 0.001);
}

double printedValue(double v, const char* format) {
    char text[128];
    std::snprintf(text, sizeof text, format, v);
    return std::strtod(text, nullptr);
}

// A mass that moves by less than this fraction of a mode's largest amplitude is taken as resting
// when the mode is scaled.
constexpr double RestFraction = 1e-6;

// The reference mode scaled like the program's: the first mass that moves at 1. `reference`
// receives that mass's amplitude relative to the largest one.
std::vector<double> scaledLikeTheProgram(std::vector<double> y, double* reference) {
    double largest = 0.0;
    for (double v : y) {
        largest = std::max(largest, std::fabs(v));
    }
    std::size_t ref = 0;
    while (ref + 1 < y.size() && std::fabs(y[ref]) <= RestFraction * largest) {
        ++ref;
    }
    const double r = y[ref];
    *reference = std::fabs(r) / largest;
    for (double& v : y) {
        v /= r;
    }
    return y;
}

void checkAgainstReference(const Chain& chain) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
    const ReferenceModes ref = referenceModes(chain);
    const int n = Entries.chain.nfree;
    const double top = ref.lambda[n - 1];
    for (int k = 0; k < n; ++k) {
        SCOPED_TRACE("mode " + std::to_string(k + 1));
        const double lambda = Entries.modes.omega0[k] * Entries.modes.omega0[k];
        ASSERT_TRUE(std::isfinite(Entries.modes.omega0[k]));
        if (k > 0) {
            ASSERT_LE(Entries.modes.omega0[k - 1], Entries.modes.omega0[k]);
        }
        // The march's stop rule leaves lambda loose by up to 1e-4 of its step; LAPACK's own error
        // is rounding of the largest root.
        EXPECT_NEAR(lambda, ref.lambda[k], 1.0001e-4 * marchStepAt(ref.lambda[k]) + 1e-13 * top);
        const double omegaRef = std::sqrt(std::max(ref.lambda[k], 0.0));
        EXPECT_LE(std::fabs(printedValue(Entries.modes.omega0[k], "%7.4f") -
                            printedValue(omegaRef, "%7.4f")),
                  1.5e-4);

        ASSERT_GE(Entries.modes.ModeMaxAmplitude[k], 1.0);
        if (std::fabs(Entries.modes.ModeShape[k][0]) >=
            RestFraction * Entries.modes.ModeMaxAmplitude[k]) {
            ASSERT_EQ(Entries.modes.ModeShape[k][0], 1.0) << "mass 1 moves, so it is the reference";
        }
        ASSERT_LE(Entries.modes.ModeMaxAmplitude[k], 1.0 / RestFraction);
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(std::isfinite(Entries.modes.ModeShape[k][i]));
        }
        // Residual of (K - lambda M) y at the polished root, against ||K|| ||y||.
        const double exactLambda = chainEigenvalue(Entries.chain, k);
        double residual = 0.0;
        double stiffness = 0.0;
        for (int i = 0; i < n; ++i) {
            double r =
                (Entries.chain.K[i] + Entries.chain.K[i + 1] - exactLambda * Entries.chain.m[i]) *
                Entries.modes.ModeShape[k][i];
            if (i > 0) {
                r -= Entries.chain.K[i] * Entries.modes.ModeShape[k][i - 1];
            }
            if (i + 1 < n) {
                r -= Entries.chain.K[i + 1] * Entries.modes.ModeShape[k][i + 1];
            }
            residual = std::max(residual, std::fabs(r));
            stiffness = std::max(stiffness, 2.0 * (Entries.chain.K[i] + Entries.chain.K[i + 1]));
        }
        EXPECT_LE(residual,
                  1e-12 * std::max(stiffness, 1e-300) * Entries.modes.ModeMaxAmplitude[k]);

        // Where the root is well apart from its neighbours the mode is unique: compare it.
        double gap = top;
        if (k > 0) {
            gap = std::min(gap, ref.lambda[k] - ref.lambda[k - 1]);
        }
        if (k + 1 < n) {
            gap = std::min(gap, ref.lambda[k + 1] - ref.lambda[k]);
        }
        // LAPACK's vector is exact to rounding of its largest component over the relative gap;
        // scaling by a reference mass that barely moves magnifies that by largest / reference.
        // Where that leaves LAPACK unable to tell the printed digits, only the residual speaks.
        double reference = 1.0;
        const std::vector<double> y = scaledLikeTheProgram(ref.shape[k], &reference);
        const double referenceError = 1e-14 * top / gap / reference;
        if (gap > 1e-6 * top && referenceError < 1e-4) {
            for (int i = 0; i < n; ++i) {
                EXPECT_NEAR(Entries.modes.ModeShape[k][i], y[i],
                            (1e-6 + referenceError) * Entries.modes.ModeMaxAmplitude[k])
                    << "mass " << i + 1;
            }
        }
    }
}

// Masses 0.01 ... 100 kg, springs up to 1e4 N/m (and soft chains up to 1 N/m), one spring in ten 0.
TEST(ReferenceSolver, RandomChains) {
    unsigned long long seed = 20261207;
    for (double stiffest : {1e4, 1.0}) {
        const ChainRanges ranges = {1, 20, 0.01, 100.0, stiffest * 1e-4, stiffest, 0.1};
        for (int trial = 0; trial < 150; ++trial) {
            const Chain chain = randomChain(&seed, ranges);
            SCOPED_TRACE("trial " + std::to_string(trial) + ", springs up to " +
                         std::to_string(stiffest));
            checkAgainstReference(chain);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

// The property over ten thousand chains: 1 ... 20 masses of 0.01 ... 100 kg, springs of
// 0 ... 1e6 N/m spread over nine decades, one spring in eight exactly 0.
TEST(ReferenceSolver, TenThousandRandomChains) {
    unsigned long long seed = 5;
    const ChainRanges ranges = {1, 20, 0.01, 100.0, 1e-3, 1e6, 0.125};
    for (int trial = 0; trial < 10000; ++trial) {
        const Chain chain = randomChain(&seed, ranges);
        SCOPED_TRACE("trial " + std::to_string(trial));
        checkAgainstReference(chain);
        if (HasFailure()) {
            return;
        }
    }
}

// Unequal masses where mass 1 barely moves in the high modes.
TEST(ReferenceSolver, HeavyFirstMass) {
    checkAgainstReference({{100, 0.1, 0.1, 0.1, 0.1, 0.1}, {1, 3, 3, 3, 3, 3, 3}});
    checkAgainstReference({{0.1, 0.2, 0.1, 0.2, 50, 0.1}, {2, 1, 3, 1, 3, 1, 0.5}});
}

} // namespace
