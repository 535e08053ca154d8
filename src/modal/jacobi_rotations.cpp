#include "modal/close_modes.h"

namespace {

constexpr int MaxJacobiSweeps = 60;

} // namespace

// Jacobi's rotations on the symmetric c x c matrix p until its off-diagonal entries are rounding;
// the columns of v gather the eigenvectors. A coupling below the rounding of the diagonal says
// nothing about the modes and turns nothing.
void diagonaliseSymmetric(int c, Quad p[][MassCapacity], Quad v[][MassCapacity]) {
    for (int sweep = 0; sweep < MaxJacobiSweeps; ++sweep) {
        bool rotated = false;
        for (int a = 0; a < c; ++a) {
            for (int q = a + 1; q < c; ++q) {
                const Quad scale = squareRoot(magnitude(p[a][a] * p[q][q]));
                if (magnitude(p[a][q]) <= Precision<Quad>::epsilon * scale) {
                    continue;
                }
                const Quad theta = (p[q][q] - p[a][a]) / (2 * p[a][q]);
                const Quad size = magnitude(theta);
                Quad t = size > 1e150 ? 1 / (2 * size) : 1 / (size + squareRoot(size * size + 1));
                t = theta < 0 ? -t : t;
                const Quad cs = 1 / squareRoot(t * t + 1);
                const Quad sn = t * cs;
                for (int k = 0; k < c; ++k) {
                    const Quad x = p[k][a];
                    const Quad y = p[k][q];
                    p[k][a] = cs * x - sn * y;
                    p[k][q] = sn * x + cs * y;
                }
                for (int k = 0; k < c; ++k) {
                    const Quad x = p[a][k];
                    const Quad y = p[q][k];
                    p[a][k] = cs * x - sn * y;
                    p[q][k] = sn * x + cs * y;
                    const Quad vx = v[k][a];
                    const Quad vy = v[k][q];
                    v[k][a] = cs * vx - sn * vy;
                    v[k][q] = sn * vx + cs * vy;
                }
                rotated = true;
            }
        }
        if (!rotated) {
            return;
        }
    }
}
