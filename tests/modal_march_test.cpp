// The search's march points, named by index without adding them up, against the sums themselves;
// and the search that skips the steps without a root against one that walks every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "chain_fixture.h"
#include "modal/chain_spectrum.h"
#include "modal/dynamic_matrix.h"
#include "modal/frequency_march.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using SimulationState::Entries;

namespace {

double stepAfter(double lambda, double step) {
    if (lambda > 0.1) {
        step = 0.01;
    }
    if (lambda > 1.0) {
        step = 0.025;
    }
    return step;
}

// Every point of the march up to lambda = 70000 (2.8 million steps, 17 binades), added up.
TEST(MarchPoints, EqualTheRunningSums) {
    const long long last = buildMarchPoints(70000.0);
    double lambda = 0.001;
    double step = 0.001;
    for (long long j = 0; j <= last; ++j) {
        ASSERT_EQ(marchPoint(j), lambda) << "point " << j;
        step = stepAfter(lambda, step);
        lambda = lambda + step;
    }
    EXPECT_GT(marchPoint(last), 70000.0);
    EXPECT_LE(marchPoint(last - 1), 70000.0);
}

// Far up, each point is still its predecessor plus the rounded step.
TEST(MarchPoints, EachFarPointIsItsPredecessorPlusTheStep) {
    const long long last = buildMarchPoints(4e10);
    unsigned long long seed = 7;
    for (int sample = 0; sample < 20000; ++sample) {
        const long long j = 200 + static_cast<long long>(uniform01(&seed) * (last - 200));
        ASSERT_EQ(marchPoint(j + 1), marchPoint(j) + 0.025) << "point " << j;
    }
    // Across every binade boundary.
    for (long long j = 200; j < last; ++j) {
        const double here = marchPoint(j);
        const double next = marchPoint(j + 1);
        if (std::ilogb(here) != std::ilogb(next)) {
            ASSERT_EQ(next, here + 0.025) << "point " << j;
            j += 1000;
        } else {
            const double left = (std::ldexp(1.0, std::ilogb(here) + 1) - here) / 0.025;
            j += std::max(static_cast<long long>(left) - 2, 0LL);
        }
    }
    EXPECT_GT(marchPoint(last), 4e10);
}

// The search as it runs step by step: one determinant per march point, false position where a
// step holds one root by the count and shows a sign change, bisection on the count otherwise.
void walkEveryStep(double* roots) {
    auto det = [](double lambda) {
        AssembleDynamicMatrix(Entries.chain, lambda);
        return DeterminantAndInverse(Entries.chain.nfree, &DynamicMatrix[0][0], MassCapacity);
    };
    const int n = Entries.chain.nfree;
    int found = 0;
    auto counted = [&](int below) {
        while (found < below) {
            roots[found] = std::sqrt(chainEigenvalue(Entries.chain, found));
            ++found;
        }
    };
    double lo = 0.001;
    double detLo = det(lo);
    double step = 0.001;
    counted(std::min(countRootsBelow(Entries.chain, lo), n));
    const double ceiling = squaredFrequencyBound(Entries.chain);
    while (found < n && lo <= ceiling) {
        step = stepAfter(lo, step);
        const double hi = lo + step;
        const double detHi = det(hi);
        const int below = std::min(countRootsBelow(Entries.chain, hi), n);
        if (below == found + 1 && detLo * detHi < 0.0) {
            double a = lo, da = detLo, b = hi, db = detHi, x = lo;
            for (int i = 0; i < 100; ++i) {
                x = a - (b - a) / (db - da) * da;
                const double dx = det(x);
                const double ratio = std::fabs(dx / detHi);
                if (ratio < 0.0001 || std::isnan(ratio)) {
                    break;
                }
                (da * dx < 0.0) ? (b = x, db = dx) : (a = x, da = dx);
            }
            // An estimate farther from the root than the stop ratio allows gives way to it.
            const double root = chainEigenvalue(Entries.chain, found);
            const bool kept = std::fabs(x - root) <= 1e-4 * (hi - lo) + 8.0 * DBL_EPSILON * root;
            roots[found++] = std::sqrt(kept ? x : root);
        } else {
            counted(below);
        }
        lo = hi;
        detLo = detHi;
    }
    counted(n);
    std::sort(roots, roots + n);
}

TEST(FrequencySearch, SkippingEmptyStepsChangesNoRoot) {
    unsigned long long seed = 99;
    const ChainRanges ranges = {1, 20, 0.1, 10.0, 0.005, 50.0, 0.15};
    for (int trial = 0; trial < 40; ++trial) {
        loadChain(randomChain(&seed, ranges));
        double walked[MassCapacity];
        walkEveryStep(walked);
        SearchNaturalFrequencies();
        for (int k = 0; k < Entries.chain.nfree; ++k) {
            ASSERT_EQ(Entries.modes.omega0[k], walked[k]) << "trial " << trial << " mode " << k + 1;
        }
    }
}

} // namespace
