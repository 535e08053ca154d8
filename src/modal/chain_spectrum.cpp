#include <algorithm>
#include <cfloat>
#include <cmath>

#include "modal/chain_pivots.h"
#include "modal/chain_spectrum.h"

namespace {

// Bisection can halve an interval about 2100 times before two doubles meet, even from the widest
// bracket around a zero root; this bound only guards against a count that misbehaves.
constexpr int MaxBisections = 2200;

// Adjacent springs this many times apart: the diagonal K_i + K_(i+1) - lambda m_i then loses the
// soft spring to rounding.
constexpr double SpringContrastLimit = 1e4;

// A spring softer than this (N/m) has a square below the smallest double: the pivots of such a
// chain are formed in Extended, whose exponent reaches far beyond any product of the chain's
// constants. Every ordinary chain stays in double and keeps its printed digits.
constexpr double WideRangeSpring = 1e-140; // N/m

// Below 2^SmallestRootExponent (1/s^2) a squared frequency is taken as 0: the softest spring a
// double holds (4.9e-324 N/m) on the heaviest mass (1e6 kg) gives 4.9e-330.
constexpr int SmallestRootExponent = -1100;

} // namespace

bool springsContrast(const MassSpringChain& chain, int first, int count) {
    const double* K = chain.K;
    for (int i = first; i < first + count; ++i) {
        const double soft = std::min(K[i], K[i + 1]);
        const double stiff = std::max(K[i], K[i + 1]);
        if (soft > 0.0 && stiff > SpringContrastLimit * soft) {
            return true;
        }
    }
    return false;
}

bool chainNeedsWideRange(const MassSpringChain& chain) {
    for (int i = 0; i <= chain.nfree; ++i) {
        if (chain.K[i] > 0.0 && chain.K[i] < WideRangeSpring) {
            return true;
        }
    }
    return false;
}

int countBlockRootsBelow(const MassSpringChain& chain, int first, int count, double lambda) {
    const bool byForces = springsContrast(chain, first, count);
    if (chainNeedsWideRange(chain)) {
        const ChainIn<Extended> wide(chain);
        return RootCount<Extended>(wide, first, count, byForces).below(lambda);
    }
    return RootCount<double>(ChainIn<double>(chain), first, count, byForces).below(lambda);
}

int countRootsBelow(const MassSpringChain& chain, double lambda) {
    return countBlockRootsBelow(chain, 0, chain.nfree, lambda);
}

double squaredFrequencyBound(const MassSpringChain& chain) {
    double bound = 0.0;
    for (int i = 0; i < chain.nfree; ++i) {
        bound = std::max(bound, 2.0 * (chain.K[i] + chain.K[i + 1]) / chain.m[i]);
    }
    return bound;
}

namespace {

// Invariant: fewer than k+1 roots lie below lo, at least k+1 below hi.
double bisectInDouble(const MassSpringChain& chain, int first, int count, int k) {
    const bool byForces = springsContrast(chain, first, count);
    const ChainIn<double> constants(chain);
    const RootCount<double> roots(constants, first, count, byForces);
    const auto above = [&](double lambda) { return roots.below(lambda) > k; };
    const double span = std::max(squaredFrequencyBound(chain), DBL_MIN);
    double lo = -span;
    double hi = 2.0 * span;
    while (!above(hi) && hi < DBL_MAX / 4.0) {
        hi *= 2.0;
    }
    for (int step = 0; step < MaxBisections; ++step) {
        const double mid = lo + 0.5 * (hi - lo);
        if (mid <= lo || mid >= hi ||
            hi - lo <= 2.0 * DBL_EPSILON * std::max(std::fabs(lo), std::fabs(hi))) {
            break;
        }
        (above(mid) ? hi : lo) = mid;
    }
    // K is positive semi-definite: a root below zero is rounding of a zero root, and it must not
    // come back as -0.0, whose square root would print with a minus sign.
    const double root = lo + 0.5 * (hi - lo);
    return root > 0.0 ? root : 0.0;
}

// The roots of a chain that spans the whole range lie anywhere from 1e-330 to 1e10 1/s^2: the
// binade of the root is found first, by bisection on the exponent, then its digits, so that no
// root costs more than about eighty counts.
Extended bisectInExtended(const MassSpringChain& chain, int first, int count, int k) {
    const bool byForces = springsContrast(chain, first, count);
    const ChainIn<Extended> constants(chain);
    const RootCount<Extended> roots(constants, first, count, byForces);
    const auto above = [&](Extended lambda) { return roots.below(lambda) > k; };
    int low = SmallestRootExponent;
    if (above(std::ldexp(Extended(1), low))) {
        return 0;
    }
    int high = std::max(std::ilogb(squaredFrequencyBound(chain)), 0) + 2;
    while (!above(std::ldexp(Extended(1), high)) && high < LDBL_MAX_EXP - 2) {
        high *= 2;
    }
    while (high - low > 1) {
        const int mid = low + (high - low) / 2;
        (above(std::ldexp(Extended(1), mid)) ? high : low) = mid;
    }
    Extended lo = std::ldexp(Extended(1), low);
    Extended hi = std::ldexp(Extended(1), high);
    while (hi - lo > 2 * Precision<Extended>::epsilon * hi) {
        const Extended mid = lo + (hi - lo) / 2;
        (above(mid) ? hi : lo) = mid;
    }
    return lo + (hi - lo) / 2;
}

} // namespace

Extended blockEigenvalue(const MassSpringChain& chain, int first, int count, int k) {
    if (chainNeedsWideRange(chain)) {
        return bisectInExtended(chain, first, count, k);
    }
    return bisectInDouble(chain, first, count, k);
}

double chainEigenvalue(const MassSpringChain& chain, int k) {
    return static_cast<double>(blockEigenvalue(chain, 0, chain.nfree, k));
}
