#include <cstddef>

#include "base/scratch.h"
#include "integration/rkg_step.h"

namespace {

// Gill's coefficients 1 - 1/sqrt(2), 1 + 1/sqrt(2) and 1/6, as the decimal constants the method
// has always been run with; computing them from sqrt(2) would change every trajectory in its
// eleventh digit.
constexpr double GillA = 0.292893219;
constexpr double GillB = 1.70710678;
constexpr double GillC = 0.16666667;

} // namespace

// Runge-Kutta-Gill in Gill's form with the rounding accumulator q, which starts from zero in
// every step. Each stage runs over all components before the next begins, so every derivative of
// a stage sees the complete vector of the stage before.
void rkgStep(const MassSpringChain& chain, double t, double h, const double* y, double* yout,
             int n) {
    const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
    double* scratch = takeScratch(6 * count);
    double* y1 = scratch;
    double* y2 = y1 + count;
    double* y3 = y2 + count;
    double* q1 = y3 + count;
    double* q2 = q1 + count;
    double* q3 = q2 + count;

    for (int i = 0; i < n; ++i) {
        const double k = stateDerivative(chain, i, t, y) * h;
        const double r = 0.5 * k;
        y1[i] = y[i] + r;
        q1[i] = 3.0 * r - 0.5 * k;
    }
    for (int i = 0; i < n; ++i) {
        const double k = stateDerivative(chain, i, 0.5 * h + t, y1) * h;
        const double r = GillA * (k - q1[i]);
        y2[i] = y1[i] + r;
        q2[i] = (3.0 * r + q1[i]) - GillA * k;
    }
    for (int i = 0; i < n; ++i) {
        const double k = stateDerivative(chain, i, 0.5 * h + t, y2) * h;
        const double r = GillB * (k - q2[i]);
        y3[i] = y2[i] + r;
        q3[i] = (3.0 * r + q2[i]) - GillB * k;
    }
    for (int i = 0; i < n; ++i) {
        const double k = stateDerivative(chain, i, t + h, y3) * h;
        const double r = GillC * (k - 2.0 * q3[i]);
        yout[i] = y3[i] + r;
    }
    releaseScratch(scratch);
}
