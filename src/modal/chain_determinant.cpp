#include <algorithm>
#include <cmath>
#include <limits>

#include "modal/chain_pivots.h"
#include "modal/chain_spectrum.h"

namespace {

// The band that elimination with partial pivoting keeps in a tridiagonal matrix: at step k the
// pivot row's entries reach at most column k+2.
constexpr int BandBeyondDiagonal = 2;

} // namespace

// The frequency search asks for thousands of determinants of the assembled K - lambda M; each is
// the very number that DeterminantAndInverse gives for it, made with the same operations in the
// same order, only without the work on entries that are known to be zero. Of a tridiagonal
// matrix, the rows holding column k at step k are the two at positions k and k+1 of the pivot
// order (the row carried from the step before and the next original row); every other row has 0
// there, which its multiplier leaves as it is. A zero pivot before the last step makes every later
// multiplier 0/0, and the determinant is then not a number, as the dense routine finds.
double chainDeterminant(const MassSpringChain& chain, double lambda) {
    const int n = chain.nfree;
    const double* K = chain.K;
    const ChainIn<double> constants(chain);
    double lu[MassCapacity][MassCapacity + BandBeyondDiagonal];
    int perm[MassCapacity];
    // A row carried from step to step as the non-pivot takes fill two columns right of each
    // step, so every entry right of the band starts as the zero it is in the dense matrix.
    for (int r = 0; r < n; ++r) {
        std::fill(lu[r], lu[r] + n + BandBeyondDiagonal, 0.0);
        lu[r][r] = diagonalOf(constants, r, lambda);
        if (r > 0) {
            lu[r][r - 1] = -K[r];
        }
        lu[r][r + 1] = -K[r + 1];
        perm[r] = r;
    }
    double sign = 1.0;
    for (int k = 0; k < n; ++k) {
        if (k + 1 < n && std::fabs(lu[perm[k + 1]][k]) > std::fabs(lu[perm[k]][k])) {
            const int swapped = perm[k];
            perm[k] = perm[k + 1];
            perm[k + 1] = swapped;
            sign = -sign;
        }
        const double* pivotRow = lu[perm[k]];
        if (k + 1 == n) {
            break;
        }
        if (pivotRow[k] == 0.0) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        double* row = lu[perm[k + 1]];
        const double f = row[k] / pivotRow[k];
        row[k] = f;
        for (int j = k + 1; j <= k + BandBeyondDiagonal && j < n; ++j) {
            row[j] = row[j] - f * pivotRow[j];
        }
    }
    double d = sign;
    for (int i = 0; i < n; ++i) {
        d = d * lu[perm[i]][i];
    }
    return d;
}
