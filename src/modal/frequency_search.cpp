#include <algorithm>
#include <cfloat>
#include <cmath>

#include "modal/chain_spectrum.h"
#include "modal/frequency_march.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

namespace {

// Regula falsi stops once the determinant has fallen to this fraction of its value at the march
// point that closed the bracket.
constexpr double StopRatio = 0.0001;

// Plain false position normally stops within a handful of estimates. When a march point lies
// within rounding of a root the reference determinant is itself rounding noise and the stop test
// can never pass (five 1 kg masses on six 0.3 N/m springs do this at lambda = 0.9); the bound ends
// such a refinement, and the root is then taken from the root count instead.
constexpr int MaxRefinements = 100;

struct Bracket {
    double lambdaLo;
    double detLo;
    double lambdaHi;
    double detHi;
};

// One search over one chain: the roots found so far, and the march's end.
struct Search {
    const MassSpringChain& chain;
    double* omega0;     // rad/s, filled in ascending order
    int found;          // roots stored so far
    long long marchEnd; // index of the march's first point above every root
};

// False position on one bracket that holds exactly one root. The reference of the stop test is
// the determinant at the march point that closed the bracket, never the moving ends; the end that
// stays keeps its determinant unchanged.
double falsePosition(const MassSpringChain& chain, Bracket b) {
    const double detResume = b.detHi;
    double lambdaX = b.lambdaLo;
    for (int estimate = 0; estimate < MaxRefinements; ++estimate) {
        lambdaX = b.lambdaLo - (b.lambdaHi - b.lambdaLo) / (b.detHi - b.detLo) * b.detLo;
        const double detX = chainDeterminant(chain, lambdaX);
        const double ratio = std::fabs(detX / detResume);
        if (ratio < StopRatio || std::isnan(ratio)) {
            return lambdaX;
        }
        if (b.detLo * detX < 0.0) {
            b.lambdaHi = lambdaX;
            b.detHi = detX;
        } else {
            b.lambdaLo = lambdaX;
            b.detLo = detX;
        }
    }
    return INFINITY;
}

// Near a simple root the determinant is nearly linear and the stop test leaves lambda within
// StopRatio of the step of the root. Where it is not (other roots close by bend it, or the
// refinement never stops) the estimate can be off by several printed digits; the root polished
// by bisection on the count then takes its place. Everywhere else the estimate is kept as it is.
double refine(const MassSpringChain& chain, const Bracket& b, int index) {
    const double estimate = falsePosition(chain, b);
    const double root = chainEigenvalue(chain, index);
    const double precision = StopRatio * (b.lambdaHi - b.lambdaLo) + 8.0 * DBL_EPSILON * root;
    return std::fabs(estimate - root) <= precision ? estimate : root;
}

void storeRoot(Search* s, double lambda) {
    s->omega0[s->found] = std::sqrt(lambda);
    ++s->found;
}

// Roots that no sign change over a march step shows (below the first trial point, two in one
// step, a repeated root, one on a march point) are taken by bisection on the root count.
void storeCountedRoots(Search* s, int below) {
    while (s->found < below) {
        storeRoot(s, chainEigenvalue(s->chain, s->found));
    }
}

int rootsBelowPoint(const Search& s, long long index) {
    return std::min(countRootsBelow(s.chain, marchPoint(index)), s.chain.nfree);
}

// The first march point after `from` below which more than the roots found lie, or -1. The count
// grows with lambda, so the steps in between, which hold no root, need not be visited at all.
long long nextRootStep(const Search& s, long long from) {
    if (rootsBelowPoint(s, s.marchEnd) <= s.found) {
        return -1;
    }
    return firstIndexAbove(from, s.marchEnd,
                           [&s](long long j) { return rootsBelowPoint(s, j) > s.found; });
}

// The march watches the sign of det(K - lambda M) from lambda = 0.001 upward and refines each
// bracketed root by false position. The inertia count says how many roots lie below every march
// point: a step that holds one root is refined from its two determinants, a step that hides
// roots a sign change cannot show gives them by bisection, and the steps without a root, nearly
// all of them, are skipped untouched.
void searchFrequencies(const MassSpringChain& chain, double* omega0) {
    const int n = chain.nfree;
    if (n < 1) {
        return;
    }
    // Past Gershgorin's bound no root is left.
    Search s = {chain, omega0, 0, buildMarchPoints(squaredFrequencyBound(chain))};
    storeCountedRoots(&s, rootsBelowPoint(s, 0));

    long long step = 0;
    while (s.found < n) {
        step = nextRootStep(s, step);
        if (step < 0) {
            break;
        }
        const double lambdaLo = marchPoint(step - 1);
        const double lambdaHi = marchPoint(step);
        const double detLo = chainDeterminant(chain, lambdaLo);
        const double detHi = chainDeterminant(chain, lambdaHi);
        const int below = rootsBelowPoint(s, step);
        if (below == s.found + 1 && detLo * detHi < 0.0) {
            storeRoot(&s, refine(chain, {lambdaLo, detLo, lambdaHi, detHi}, s.found));
        } else {
            storeCountedRoots(&s, below);
        }
    }
    storeCountedRoots(&s, n);
    std::sort(omega0, omega0 + n);
}

} // namespace

void SearchNaturalFrequencies() {
    using SimulationState::Entries;
    searchFrequencies(Entries.chain, Entries.modes.omega0);
}
