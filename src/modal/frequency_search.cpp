#include <algorithm>
#include <cmath>

#include "app/simulation_state.h"
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
// such a refinement and the root is then taken from the root count instead.
constexpr int MaxRefinements = 100;

double determinantAt(double lambda) {
    AssembleDynamicMatrix(lambda);
    return DeterminantAndInverse(nfree, &DynamicMatrix[0][0], MassCapacity);
}

struct Bracket {
    double lambdaLo;
    double detLo;
    double lambdaHi;
    double detHi;
};

// False position on one bracket that holds exactly one root (the root with index `index`).
// The reference of the stop test is the determinant at the march point that closed the bracket,
// never the moving ends; the end that stays keeps its determinant unchanged.
double refine(Bracket b, int index) {
    const double lambdaResume = b.lambdaHi;
    const double detResume = b.detHi;
    const double marchLo = b.lambdaLo;
    for (int estimate = 0; estimate < MaxRefinements; ++estimate) {
        const double lambdaX =
            b.lambdaLo - (b.lambdaHi - b.lambdaLo) / (b.detHi - b.detLo) * b.detLo;
        const double detX = determinantAt(lambdaX);
        const double ratio = std::fabs(detX / detResume);
        if (ratio < StopRatio || std::isnan(ratio)) {
            const bool inside = lambdaX >= marchLo && lambdaX <= lambdaResume;
            return inside ? lambdaX : ChainEigenvalue(index);
        }
        if (b.detLo * detX < 0.0) {
            b.lambdaHi = lambdaX;
            b.detHi = detX;
        } else {
            b.lambdaLo = lambdaX;
            b.detLo = detX;
        }
    }
    return ChainEigenvalue(index);
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

double marchStep(double lambdaLo, double step) {
    if (lambdaLo > MediumStepFrom) {
        step = MediumStep;
    }
    if (lambdaLo > CoarseStepFrom) {
        step = CoarseStep;
    }
    return step;
}

} // namespace

// The march watches the sign of det(K - lambda M) from lambda = 0.001 upward and refines each
// bracketed root by false position. The inertia count says how many roots lie below every march
// point, so the march knows when a step holds one root (the false-position case), when it hides
// roots a sign change cannot show, and when every root has been found.
void SearchNaturalFrequencies() {
    const int n = nfree;
    nfound = 0;
    if (n < 1) {
        return;
    }
    double lambdaLo = FirstTrialPoint;
    double detLo = determinantAt(lambdaLo);
    double step = FirstTrialPoint;
    storeCountedRoots(std::min(CountRootsBelow(lambdaLo), n));

    // Past Gershgorin's bound no root is left; the count has said so long before unless it failed.
    const double ceiling = SquaredFrequencyBound();
    while (nfound < n && lambdaLo <= ceiling) {
        step = marchStep(lambdaLo, step);
        const double lambdaHi = lambdaLo + step;
        const double detHi = determinantAt(lambdaHi);
        const int below = std::min(CountRootsBelow(lambdaHi), n);
        if (below == nfound + 1 && detLo * detHi < 0.0) {
            storeRoot(refine({lambdaLo, detLo, lambdaHi, detHi}, nfound));
        } else {
            storeCountedRoots(below);
        }
        lambdaLo = lambdaHi;
        detLo = detHi;
    }
    storeCountedRoots(n);
    std::sort(omega0, omega0 + n);
}
