#include <algorithm>
#include <cfloat>
#include <cmath>

#include "app/simulation_state.h"
#include "modal/modal.h"

using namespace SimulationState;

namespace {

// Bisection can halve an interval about 2100 times before two doubles meet, even from the widest
// bracket around a zero root; this bound only guards against a count that misbehaves.
constexpr int MaxBisections = 2200;

// The diagonal of K - lambda M in the assembly's order of operations.
double diagonal(int i, double lambda) {
    return ((-m[i]) * lambda + K[i]) + K[i + 1];
}

double largestCouplingSquared(int first, int count) {
    double largest = 0.0;
    for (int i = first + 1; i < first + count; ++i) {
        largest = std::max(largest, K[i] * K[i]);
    }
    return largest;
}

// Adjacent springs this many times apart: the diagonal K_i + K_(i+1) - lambda m_i then loses the
// soft spring to rounding.
constexpr double SpringContrastLimit = 1e4;

} // namespace

bool SpringsContrast(int first, int count) {
    for (int i = first; i < first + count; ++i) {
        const double soft = std::min(K[i], K[i + 1]);
        const double stiff = std::max(K[i], K[i + 1]);
        if (soft > 0.0 && stiff > SpringContrastLimit * soft) {
            return true;
        }
    }
    return false;
}

namespace {

// The pivot that follows d in L D L^T, from the diagonal as the matrix holds it.
double pivotFromDiagonal(int i, int first, double lambda, double d) {
    return (i == first) ? diagonal(i, lambda) : diagonal(i, lambda) - K[i] * K[i] / d;
}

} // namespace

// Sylvester's law of inertia: K - lambda M = L D L^T has as many negative pivots in D as the
// pencil (K, M) has eigenvalues below lambda, because M is positive definite. A pivot that
// vanishes is moved just below zero, as LAPACK's bisection does, so the count never divides by 0.
// Where soft springs sit beside stiff ones, each pivot is formed from the forces the springs
// carry instead (d_i = K_(i+1) + s_i, s_i = rho_i - lambda m_i, rho_(i+1) = K_(i+1) s_i / d_i), so
// that no soft spring is added to a stiff one; elsewhere the diagonal's form is kept.
int CountBlockRootsBelow(int first, int count, double lambda) {
    const double pivmin = DBL_MIN * std::max(1.0, largestCouplingSquared(first, count));
    const bool byForces = SpringsContrast(first, count);
    int negatives = 0;
    double d = 1.0;
    double rho = K[first];
    for (int i = first; i < first + count; ++i) {
        const double s = rho - lambda * m[i];
        d = byForces ? K[i + 1] + s : pivotFromDiagonal(i, first, lambda, d);
        if (std::fabs(d) < pivmin) {
            d = -pivmin;
        }
        if (d < 0.0) {
            ++negatives;
        }
        // s / d first: after a vanished pivot s is huge, and K s / (K + s) is then K, not an
        // overflow.
        rho = std::isinf(s) ? K[i + 1] : K[i + 1] * (s / d);
    }
    return negatives;
}

int CountRootsBelow(double lambda) {
    return CountBlockRootsBelow(0, nfree, lambda);
}

double SquaredFrequencyBound() {
    double bound = 0.0;
    for (int i = 0; i < nfree; ++i) {
        bound = std::max(bound, 2.0 * (K[i] + K[i + 1]) / m[i]);
    }
    return bound;
}

// Invariant: fewer than k+1 roots lie below lo, at least k+1 below hi.
double BlockEigenvalue(int first, int count, int k) {
    const double span = std::max(SquaredFrequencyBound(), DBL_MIN);
    double lo = -span;
    double hi = 2.0 * span;
    while (CountBlockRootsBelow(first, count, hi) <= k && hi < DBL_MAX / 4.0) {
        hi *= 2.0;
    }
    for (int step = 0; step < MaxBisections; ++step) {
        const double mid = lo + 0.5 * (hi - lo);
        if (mid <= lo || mid >= hi ||
            hi - lo <= 2.0 * DBL_EPSILON * std::max(std::fabs(lo), std::fabs(hi))) {
            break;
        }
        if (CountBlockRootsBelow(first, count, mid) > k) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    // K is positive semi-definite: a root below zero is rounding of a zero root, and it must not
    // come back as -0.0, whose square root would print with a minus sign.
    const double root = lo + 0.5 * (hi - lo);
    return root > 0.0 ? root : 0.0;
}

double ChainEigenvalue(int k) {
    return BlockEigenvalue(0, nfree, k);
}
