// The natural-frequency search: worked examples, the analytic uniform chain, and the chains on
// which a plain sign-change march loses, repeats or never finishes a root.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "chain_fixture.h"
#include "modal/chain_spectrum.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using SimulationState::Entries;

namespace {

const double Pi = std::acos(-1.0);

// The march refines a root until the determinant has fallen to 1e-4 of its value one march step
// away, which leaves lambda loose by about 1e-4 of the step (0.025 1/s^2 beyond lambda = 1); the
// tolerance allows ten times that.
double lambdaTolerance(double lambda) {
    const double step = lambda > 1.0 ? 0.025 : (lambda > 0.1 ? 0.01 : 0.001);
    return 1e-3 * step + 1e-12 * lambda;
}

void expectFrequencies(const std::vector<double>& exact) {
    ASSERT_EQ(Entries.chain.nfree, static_cast<int>(exact.size()));
    for (int k = 0; k < Entries.chain.nfree; ++k) {
        const double lambda = Entries.modes.omega0[k] * Entries.modes.omega0[k];
        const double truth = exact[k] * exact[k];
        EXPECT_NEAR(lambda, truth, lambdaTolerance(truth)) << "mode " << k + 1;
    }
}

std::string printed(double omega) {
    char text[64];
    std::snprintf(text, sizeof text, "%7.4f", omega);
    return text;
}

TEST(FrequencySearch, WorkedExamples) {
    loadChain({{1}, {1, 1}});
    SearchNaturalFrequencies();
    expectFrequencies({std::sqrt(2.0)});

    loadChain({{1, 1}, {1, 1, 1}});
    SearchNaturalFrequencies();
    EXPECT_EQ(printed(Entries.modes.omega0[0]), " 1.0000");
    EXPECT_EQ(printed(Entries.modes.omega0[1]), " 1.7321");

    loadChain({{1, 1, 1}, {100, 100, 100, 100}});
    SearchNaturalFrequencies();
    EXPECT_EQ(printed(Entries.modes.omega0[0]), " 7.6537");
    EXPECT_EQ(printed(Entries.modes.omega0[1]), "14.1421");
    EXPECT_EQ(printed(Entries.modes.omega0[2]), "18.4776");

    loadChain({{1, 2}, {10, 20, 30}});
    SearchNaturalFrequencies();
    EXPECT_EQ(printed(Entries.modes.omega0[0]), " 3.6247");
    EXPECT_EQ(printed(Entries.modes.omega0[1]), " 6.4700");
}

// omega_k = 2 sqrt(K/m) sin(k pi / (2 (n+1))) for n equal masses on n+1 equal springs.
TEST(FrequencySearch, UniformChainsMatchTheAnalyticFrequencies) {
    for (double spring : {1.0, 30.0}) {
        for (int n = 1; n <= 20; ++n) {
            loadChain(uniformChain(n, 1.5, spring));
            SearchNaturalFrequencies();
            std::vector<double> exact;
            for (int k = 1; k <= n; ++k) {
                exact.push_back(2.0 * std::sqrt(spring / 1.5) * std::sin(k * Pi / (2.0 * (n + 1))));
            }
            SCOPED_TRACE("n = " + std::to_string(n) + ", K = " + std::to_string(spring));
            expectFrequencies(exact);
        }
    }
}

// Five 1 kg masses on six 0.3 N/m springs: lambda = 0.9 lies within rounding of a march point,
// and a refinement without a bound never stops.
TEST(FrequencySearch, RootWithinRoundingOfAMarchPointEnds) {
    loadChain(uniformChain(5, 1.0, 0.3));
    SearchNaturalFrequencies();
    std::vector<double> exact;
    for (int k = 1; k <= 5; ++k) {
        exact.push_back(2.0 * std::sqrt(0.3) * std::sin(k * Pi / 12.0));
    }
    expectFrequencies(exact);
}

// Both wall springs 0: the chain can move as a whole, lambda = 0 lies below the first trial point.
TEST(FrequencySearch, FreeChainHasAZeroRoot) {
    loadChain({{1, 1, 1}, {0, 2, 2, 0}});
    SearchNaturalFrequencies();
    EXPECT_EQ(Entries.modes.omega0[0], 0.0);
    EXPECT_FALSE(std::signbit(Entries.modes.omega0[0]));
    expectFrequencies({0.0, std::sqrt(2.0), std::sqrt(6.0)});
}

// An inner spring of 0 splits the chain; equal halves give every root twice.
TEST(FrequencySearch, RepeatedRootsAreAllFound) {
    loadChain({{1, 1, 1, 1}, {1, 1, 0, 1, 1}});
    SearchNaturalFrequencies();
    // Each half is a fixed-free pair: lambda = (3 -+ sqrt 5) / 2.
    const double low = std::sqrt((3.0 - std::sqrt(5.0)) / 2.0);
    const double high = std::sqrt((3.0 + std::sqrt(5.0)) / 2.0);
    expectFrequencies({low, low, high, high});
}

// Two roots 0.001 1/s^2 apart inside one march step of 0.025: no sign change shows them.
TEST(FrequencySearch, TwoRootsInsideOneStep) {
    loadChain({{1, 1}, {5.0, 1e-6, 5.001}});
    SearchNaturalFrequencies();
    const ReferenceModes ref = referenceModes({{1, 1}, {5.0, 1e-6, 5.001}});
    expectFrequencies({std::sqrt(ref.lambda[0]), std::sqrt(ref.lambda[1])});
    EXPECT_LT(Entries.modes.omega0[0], Entries.modes.omega0[1]);
}

// Roots that fall exactly on march points are counted once each: 0.001 is the first trial point,
// and the spring constants below make the determinant exactly zero at later march points.
TEST(FrequencySearch, RootsOnMarchPointsAreCountedOnce) {
    loadChain({{1, 1}, {0.001, 0.0, 0.001}});
    SearchNaturalFrequencies();
    expectFrequencies({std::sqrt(0.001), std::sqrt(0.001)});

    const double second = 0.001 + 0.001;
    const double third = second + 0.001;
    loadChain({{1, 1}, {second, 0.0, third}});
    SearchNaturalFrequencies();
    EXPECT_NEAR(Entries.modes.omega0[0], std::sqrt(second), 1e-15);
    EXPECT_NEAR(Entries.modes.omega0[1], std::sqrt(third), 1e-15);
}

// Very soft chains have every root below the first trial point.
TEST(FrequencySearch, RootsBelowTheFirstTrialPoint) {
    loadChain(uniformChain(4, 100.0, 0.001));
    SearchNaturalFrequencies();
    std::vector<double> exact;
    for (int k = 1; k <= 4; ++k) {
        exact.push_back(2.0 * std::sqrt(0.001 / 100.0) * std::sin(k * Pi / 10.0));
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(Entries.modes.omega0[k], exact[k], 1e-12) << k;
    }
}

TEST(FrequencySearch, NoSpringsAtAll) {
    loadChain({{1, 2, 3}, {0, 0, 0, 0}});
    SearchNaturalFrequencies();
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(Entries.modes.omega0[k], 0.0);
    }
}

TEST(RootCount, CountsTheRootsBelowLambda) {
    loadChain(uniformChain(3, 1.0, 100.0)); // lambda = 58.58, 200, 341.42
    EXPECT_EQ(countRootsBelow(Entries.chain, 0.0), 0);
    EXPECT_EQ(countRootsBelow(Entries.chain, 58.0), 0);
    EXPECT_EQ(countRootsBelow(Entries.chain, 59.0), 1);
    EXPECT_EQ(countRootsBelow(Entries.chain, 199.9), 1);
    EXPECT_EQ(countRootsBelow(Entries.chain, 200.1), 2);
    EXPECT_EQ(countRootsBelow(Entries.chain, 1e9), 3);
    EXPECT_NEAR(chainEigenvalue(Entries.chain, 1), 200.0, 1e-12);
    EXPECT_GE(squaredFrequencyBound(Entries.chain), 341.43);
}

} // namespace
