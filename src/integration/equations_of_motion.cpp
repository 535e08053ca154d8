#include "integration/rkg_step.h"

// m_j y_j'' + K_j (y_j - y_(j-1)) + K_(j+1) (y_j - y_(j+1)) = 0, with the walls at y = 0:
//   y_j' = v_j,   v_j' = -(K_j (y_j - y_(j-1)) + K_(j+1) (y_j - y_(j+1))) / m_j.
// The left spring's term comes first, then the right spring's; the sum is negated, then divided.
double stateDerivative(const MassSpringChain& chain, int i, double, const double* y) {
    if (i % 2 == 0) {
        return y[i + 1];
    }
    const int j = i / 2;
    const double here = y[2 * j];
    const double left = (j > 0) ? y[2 * j - 2] : 0.0;
    const double right = (j < chain.nfree - 1) ? y[2 * j + 2] : 0.0;
    return -(chain.K[j] * (here - left) + chain.K[j + 1] * (here - right)) / chain.m[j];
}
