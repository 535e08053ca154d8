#include <algorithm>
#include <cmath>

#include "modal/frequency_march.h"

namespace {

// The march over lambda = omega^2 (1/s^2): fine steps near zero, where the lowest roots of soft
// chains lie, coarser ones beyond; the step never shrinks during one search.
constexpr double FirstTrialPoint = 0.001; // 1/s^2, also the first step
constexpr double MediumStepFrom = 0.1;    // 1/s^2
constexpr double MediumStep = 0.01;       // 1/s^2
constexpr double CoarseStepFrom = 1.0;    // 1/s^2
constexpr double CoarseStep = 0.025;      // 1/s^2

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
// therefore form one exact arithmetic progression per binade, and any of them can be named by its
// index without the billions of additions a stiff chain's march would take.

struct Progression {
    long long first;  // index of the progression's first point
    long long length; // points in the progression
    double start;     // 1/s^2
    double increment; // 1/s^2
};

constexpr int MaxEarlyPoints = 256;
constexpr int MaxProgressions = 1100; // binades of a double above 1

double EarlyPoints[MaxEarlyPoints];
int EarlyCount = 0;
Progression Progressions[MaxProgressions];
int ProgressionCount = 0;
long long MarchEnd = 0; // index of the first point above the ceiling, or of the last one built

// A progression from x (the index-th point) to the end of x's binade.
Progression progressionFrom(long long index, double x) {
    const int exponent = std::ilogb(x);
    const double unit = std::ldexp(1.0, exponent - 52);
    const double increment = (x + CoarseStep) - x;
    const long long here = static_cast<long long>(x / unit);
    const long long step = static_cast<long long>(increment / unit);
    const long long top = 1LL << 53; // 2^(e+1) in units
    return {index, (top - here + step - 1) / step, x, increment};
}

double progressionPoint(const Progression& progression, long long index) {
    return progression.start +
           static_cast<double>(index - progression.first) * progression.increment;
}

void buildProgressions(double ceiling, long long index, double lambda) {
    while (ProgressionCount < MaxProgressions) {
        const Progression progression = progressionFrom(index, lambda);
        // Past 2^48 adding 0.025 no longer moves lambda: the march would stand still there.
        if (!(progression.increment > 0.0)) {
            return;
        }
        Progressions[ProgressionCount++] = progression;
        const double last =
            progressionPoint(progression, progression.first + progression.length - 1);
        if (last > ceiling) {
            return;
        }
        index = progression.first + progression.length;
        lambda = last + CoarseStep;
    }
}

long long lastBuiltPoint() {
    if (ProgressionCount == 0) {
        return EarlyCount - 1;
    }
    return Progressions[ProgressionCount - 1].first + Progressions[ProgressionCount - 1].length - 1;
}

double pointAt(long long index) {
    if (index < EarlyCount) {
        return EarlyPoints[index];
    }
    int r = 0;
    while (r + 1 < ProgressionCount && index >= Progressions[r].first + Progressions[r].length) {
        ++r;
    }
    return progressionPoint(Progressions[r], index);
}

// The march ends at the first point above the ceiling, as a march that adds its way up does.
void buildMarch(double ceiling) {
    EarlyCount = 0;
    ProgressionCount = 0;
    double lambda = FirstTrialPoint;
    double step = FirstTrialPoint;
    EarlyPoints[EarlyCount++] = lambda;
    while (lambda <= ceiling && marchStep(lambda, step) != CoarseStep) {
        step = marchStep(lambda, step);
        lambda = lambda + step;
        EarlyPoints[EarlyCount++] = lambda;
    }
    if (lambda <= ceiling) {
        buildProgressions(ceiling, EarlyCount - 1, lambda);
    }
    MarchEnd = firstIndexAbove(-1, lastBuiltPoint(),
                               [ceiling](long long j) { return pointAt(j) > ceiling; });
}

} // namespace

double marchPoint(long long index) {
    return pointAt(std::min(std::max(index, 0LL), MarchEnd));
}

long long buildMarchPoints(double ceiling) {
    buildMarch(ceiling);
    return MarchEnd;
}
