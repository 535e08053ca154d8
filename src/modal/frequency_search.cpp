#include <algorithm>
#include <cfloat>
#include <cmath>

#include "app/simulation_state.h"
#include "modal/chain_spectrum.h"
#include "modal/modal.h"

using namespace SimulationState;

namespace {

// The march over lambda = omega^2 (1/s^2): fine steps near zero, where the lowest roots of soft
// chains lie, coarser ones beyond; the step never shrinks during one search.
constexpr double FirstTrialPoint = 0.001; // 1/s^2, also the first step
constexpr double MediumStepFrom = 0.1;    // 1/s^2
constexpr double MediumStep = 0.01;       // 1/s^2
constexpr double CoarseStepFrom = 1.0;    // 1/s^2
constexpr double CoarseStep = 0.025;      // 1/s^2

// Regula falsi stops once the determinant has fallen to this fraction of its value at the march
// point that closed the bracket.
constexpr double StopRatio = 0.0001;

// Plain false position normally stops within a handful of estimates. When a march point lies
// within rounding of a root the reference determinant is itself rounding noise and the stop test
// can never pass (five 1 kg masses on six 0.3 N/m springs do this at lambda = 0.9); the bound ends
// such a refinement, and the root is then taken from the root count instead.
constexpr int MaxRefinements = 100;

double determinantAt(double lambda) {
    return ChainDeterminant(lambda);
}

double marchStep(double lambdaLo, double step) {
    if (lambdaLo > MediumStepFrom) {
        step = MediumStep;
    }
    if (lambdaLo > CoarseStepFrom) {
        step = CoarseStep;
    }
    return step;
}

// ---------------------------------------------------------------------------------------------
// March points
//
// The march visits lambda_0 = 0.001 and lambda_(j+1) = lambda_j + step, each sum rounded to
// double. The fine and medium points (below 1, fewer than 200) are kept as they come. Beyond,
// every double of a binade [2^e, 2^(e+1)) is a multiple of u = 2^(e-52), and 0.025 is an odd
// multiple of 2^-57, so for e >= 0 the sum x + 0.025 never ties between two multiples of u:
// every step that stays inside the binade adds the same rounded increment. The coarse points
// therefore form one exact arithmetic run per binade, and any of them can be named by its index
// without the billions of additions a stiff chain's march would take.

struct Run {
    long long first;  // index of the run's first point
    long long length; // points in the run
    double start;     // 1/s^2
    double increment; // 1/s^2
};

constexpr int MaxEarlyPoints = 256;
constexpr int MaxRuns = 1100; // binades of a double above 1

double EarlyPoints[MaxEarlyPoints];
int EarlyCount = 0;
Run Runs[MaxRuns];
int RunCount = 0;
long long LastPoint = 0; // index of the first point above the ceiling, or of the last one built

// A run from x (the index-th point) to the end of x's binade.
Run runFrom(long long index, double x) {
    const int exponent = std::ilogb(x);
    const double unit = std::ldexp(1.0, exponent - 52);
    const double increment = (x + CoarseStep) - x;
    const long long here = static_cast<long long>(x / unit);
    const long long step = static_cast<long long>(increment / unit);
    const long long top = 1LL << 53; // 2^(e+1) in units
    return {index, (top - here + step - 1) / step, x, increment};
}

double runPoint(const Run& run, long long index) {
    return run.start + static_cast<double>(index - run.first) * run.increment;
}

void buildRuns(double ceiling, long long index, double lambda) {
    while (RunCount < MaxRuns) {
        const Run run = runFrom(index, lambda);
        // Past 2^48 adding 0.025 no longer moves lambda: the march would stand still there.
        if (!(run.increment > 0.0)) {
            return;
        }
        Runs[RunCount++] = run;
        const double last = runPoint(run, run.first + run.length - 1);
        if (last > ceiling) {
            return;
        }
        index = run.first + run.length;
        lambda = last + CoarseStep;
    }
}

long long lastBuiltPoint() {
    if (RunCount == 0) {
        return EarlyCount - 1;
    }
    return Runs[RunCount - 1].first + Runs[RunCount - 1].length - 1;
}

// The first index in (lo, hi] at which `above` holds, for a property that holds from some index on
// and holds at hi.
template <class Above> long long firstIndexAbove(long long lo, long long hi, Above above) {
    while (hi - lo > 1) {
        const long long mid = lo + (hi - lo) / 2;
        if (above(mid)) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return hi;
}

double pointAt(long long index) {
    if (index < EarlyCount) {
        return EarlyPoints[index];
    }
    int r = 0;
    while (r + 1 < RunCount && index >= Runs[r].first + Runs[r].length) {
        ++r;
    }
    return runPoint(Runs[r], index);
}

// The march ends at the first point above the ceiling, as a march that adds its way up does.
void buildMarch(double ceiling) {
    EarlyCount = 0;
    RunCount = 0;
    double lambda = FirstTrialPoint;
    double step = FirstTrialPoint;
    EarlyPoints[EarlyCount++] = lambda;
    while (lambda <= ceiling && marchStep(lambda, step) != CoarseStep) {
        step = marchStep(lambda, step);
        lambda = lambda + step;
        EarlyPoints[EarlyCount++] = lambda;
    }
    if (lambda <= ceiling) {
        buildRuns(ceiling, EarlyCount - 1, lambda);
    }
    LastPoint = firstIndexAbove(-1, lastBuiltPoint(),
                                [ceiling](long long j) { return pointAt(j) > ceiling; });
}

} // namespace

double MarchPoint(long long index) {
    return pointAt(std::min(std::max(index, 0LL), LastPoint));
}

long long BuildMarchPoints(double ceiling) {
    buildMarch(ceiling);
    return LastPoint;
}

namespace {

// ---------------------------------------------------------------------------------------------
// Roots

struct Bracket {
    double lambdaLo;
    double detLo;
    double lambdaHi;
    double detHi;
};

// False position on one bracket that holds exactly one root. The reference of the stop test is
// the determinant at the march point that closed the bracket, never the moving ends; the end that
// stays keeps its determinant unchanged.
double falsePosition(Bracket b) {
    const double detResume = b.detHi;
    double lambdaX = b.lambdaLo;
    for (int estimate = 0; estimate < MaxRefinements; ++estimate) {
        lambdaX = b.lambdaLo - (b.lambdaHi - b.lambdaLo) / (b.detHi - b.detLo) * b.detLo;
        const double detX = determinantAt(lambdaX);
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
double refine(const Bracket& b, int index) {
    const double estimate = falsePosition(b);
    const double root = ChainEigenvalue(index);
    const double precision = StopRatio * (b.lambdaHi - b.lambdaLo) + 8.0 * DBL_EPSILON * root;
    return std::fabs(estimate - root) <= precision ? estimate : root;
}

int nfound = 0;

void storeRoot(double lambda) {
    omega0[nfound] = std::sqrt(lambda);
    ++nfound;
}

// Roots that no sign change over a march step shows (below the first trial point, two in one
// step, a repeated root, one on a march point) are taken by bisection on the root count.
void storeCountedRoots(int below) {
    while (nfound < below) {
        storeRoot(ChainEigenvalue(nfound));
    }
}

int rootsBelowPoint(long long index) {
    return std::min(CountRootsBelow(MarchPoint(index)), nfree);
}

// The first march point after `from` below which more than nfound roots lie, or -1. The count
// grows with lambda, so the steps in between, which hold no root, need not be visited at all.
long long nextRootStep(long long from) {
    if (rootsBelowPoint(LastPoint) <= nfound) {
        return -1;
    }
    return firstIndexAbove(from, LastPoint,
                           [](long long j) { return rootsBelowPoint(j) > nfound; });
}

} // namespace

// The march watches the sign of det(K - lambda M) from lambda = 0.001 upward and refines each
// bracketed root by false position. The inertia count says how many roots lie below every march
// point: a step that holds one root is refined from its two determinants, a step that hides
// roots a sign change cannot show gives them by bisection, and the steps without a root, nearly
// all of them, are skipped untouched.
void SearchNaturalFrequencies() {
    const int n = nfree;
    nfound = 0;
    if (n < 1) {
        return;
    }
    // Past Gershgorin's bound no root is left.
    buildMarch(SquaredFrequencyBound());
    storeCountedRoots(rootsBelowPoint(0));

    long long step = 0;
    while (nfound < n) {
        step = nextRootStep(step);
        if (step < 0) {
            break;
        }
        const double lambdaLo = MarchPoint(step - 1);
        const double lambdaHi = MarchPoint(step);
        const double detLo = determinantAt(lambdaLo);
        const double detHi = determinantAt(lambdaHi);
        const int below = rootsBelowPoint(step);
        if (below == nfound + 1 && detLo * detHi < 0.0) {
            storeRoot(refine({lambdaLo, detLo, lambdaHi, detHi}, nfound));
        } else {
            storeCountedRoots(below);
        }
    }
    storeCountedRoots(n);
    std::sort(omega0, omega0 + n);
}
