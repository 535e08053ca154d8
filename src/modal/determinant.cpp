#include <cmath>
#include <cstddef>

#include "base/scratch.h"
#include "modal/dynamic_matrix.h"

namespace {

// Below this magnitude the determinant is taken as zero and no inverse is formed.
constexpr double InverseThreshold = 1e-06;

// Partial pivoting without moving rows: perm[k] names the row of lu that is the k-th pivot row.
// Ties keep the earliest candidate.
void eliminate(int n, double* lu, int* perm) {
    for (int k = 0; k < n; ++k) {
        int choice = k;
        for (int i = k + 1; i < n; ++i) {
            if (std::fabs(lu[perm[i] * n + k]) > std::fabs(lu[perm[choice] * n + k])) {
                choice = i;
            }
        }
        const int swapped = perm[k];
        perm[k] = perm[choice];
        perm[choice] = swapped;

        const double* pivotRow = lu + perm[k] * n;
        const double pivot = pivotRow[k];
        for (int i = k + 1; i < n; ++i) {
            double* row = lu + perm[i] * n;
            const double f = row[k] / pivot;
            row[k] = f;
            for (int j = k + 1; j < n; ++j) {
                row[j] = row[j] - f * pivotRow[j];
            }
        }
    }
}

// +1 for an even pivot order, -1 for an odd one: each out-of-place entry is put right by one
// transposition, tracked through the inverse permutation.
double permutationSign(int n, const int* perm, int* permCopy, int* permInverse) {
    for (int i = 0; i < n; ++i) {
        permCopy[i] = perm[i];
    }
    for (int i = 0; i < n; ++i) {
        permInverse[permCopy[i]] = i;
    }
    double d = 1.0;
    for (int i = 0; i + 1 < n; ++i) {
        if (permCopy[i] != i) {
            const int j = permCopy[i];
            permCopy[permInverse[i]] = j;
            permInverse[j] = permInverse[i];
            d = -d;
        }
    }
    return d;
}

// Column by column, forward then back substitution through the factors kept in lu; each pass
// reads and writes only column k of a, so a can take the inverse in place.
void invert(int n, const double* lu, const int* perm, double* a, int stride) {
    for (int k = 0; k < n; ++k) {
        for (int i = 0; i < n; ++i) {
            const double* row = lu + perm[i] * n;
            double s = (perm[i] == k) ? 1.0 : 0.0;
            for (int j = 0; j < i; ++j) {
                s = s - row[j] * a[j * stride + k];
            }
            a[i * stride + k] = s;
        }
        for (int i = n - 1; i >= 0; --i) {
            const double* row = lu + perm[i] * n;
            double s = a[i * stride + k];
            for (int j = i + 1; j < n; ++j) {
                s = s - row[j] * a[j * stride + k];
            }
            a[i * stride + k] = s / row[i];
        }
    }
}

} // namespace

double DeterminantAndInverse(int n, double* a, int stride) {
    if (n < 0) {
        n = 0;
    }
    const std::size_t order = static_cast<std::size_t>(n);
    double* lu = takeScratch(order * order);
    int* perm = takeIndexScratch(order);
    int* permCopy = takeIndexScratch(order);
    int* permInverse = takeIndexScratch(order);

    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            lu[i * n + j] = a[i * stride + j];
        }
        perm[i] = i;
    }
    eliminate(n, lu, perm);

    double d = permutationSign(n, perm, permCopy, permInverse);
    for (int i = 0; i < n; ++i) {
        d = d * lu[perm[i] * n + i];
    }
    if (std::fabs(d) > InverseThreshold) {
        invert(n, lu, perm, a, stride);
    }

    releaseScratch(permInverse);
    releaseScratch(permCopy);
    releaseScratch(perm);
    releaseScratch(lu);
    return d;
}
