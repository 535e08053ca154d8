// Modes whose frequencies a double cannot tell apart: a nearly cut spring between two equal halves
// of a chain, or a heavy mass that almost holds two light ones still, splits one frequency into two
// that differ by 1e-10 ... 1e-300 of themselves. Each squared frequency is taken again in Quad, and
// the modes come from the Rayleigh-Ritz procedure on the subspace they span:
//   1. a basis of that subspace, from the null vectors at each squared frequency (and, where
//      frequencies coincide even in Quad, from null vectors held at other masses);
//   2. the basis made mass-orthonormal (B^T M B = I) by Gram-Schmidt;
//   3. the c x c matrix B^T K B diagonalised by Jacobi rotations; its eigenvectors, taken back
//      through B, are the modes.
// The result is as right as the frequencies are apart (about 1e-34 over their relative gap) and
// mass-orthogonal by construction, whatever the gap.
#include "modal/close_modes.h"

#include <algorithm>

#include "modal/chain_pivots.h"
#include "modal/chain_spectrum.h"

using namespace SimulationState;

namespace {

using Vector = Quad[MassCapacity];

// The bracket of each squared frequency starts this close (relative) about its double value, whose
// rounding it comfortably covers, and widens until the root count confirms it.
constexpr double StartWidth = 1e-13;
constexpr int MaxBisections = 400;

// The Rayleigh-Ritz step needs the basis only to span the close modes' subspace: mixing inside it
// is undone by the rotation. A basis vector that strays by eps outside the subspace, to modes a
// relative gap g >= 1e-8 away, disturbs B^T K B by eps^2 g; squared frequencies bisected to this
// (relative) keep eps near 1e-14, and that disturbance far below Quad's rounding of 1e-34.
constexpr double SubspaceWidth = 1e-22;

// A vector whose part outside the basis so far is smaller than this (of its mass norm) adds no
// direction of its own.
constexpr double NewDirection = 1e-6;

// A null vector held at another mass lies in the close modes' subspace when its residual is this
// small relative to the squared frequency: its part outside the subspace is then at most the
// residual over the gap of 1e-8, as above.
constexpr double CandidateResidual = 1e-21;

constexpr int MaxJacobiSweeps = 60;

// The masses first ... last and the chain's constants in Quad.
struct Block {
    const ChainIn<Quad>& chain;
    int first;
    int last;
};

// The squared frequencies k0 ... k0+c-1 of the block, each bisected to Quad's precision. They
// share one bracket and its counts until the counts tell them apart, so frequencies that nothing
// tells apart cost one bisection between them.
struct QuadBisection {
    RootCount<Quad> roots;
    int k0;
    int c;
    Quad* lambdas;

    int below(Quad lambda) const { return roots.below(lambda); }

    // Holds the roots of index nlo ... nhi-1 that lie in (lo, hi].
    void split(Quad lo, Quad hi, int nlo, int nhi, int depth) const {
        const int from = nlo > k0 ? nlo : k0;
        const int to = nhi < k0 + c ? nhi : k0 + c;
        if (from >= to) {
            return;
        }
        const Quad mid = lo + (hi - lo) / 2;
        if (depth >= MaxBisections || hi - lo <= 2 * SubspaceWidth * hi) {
            for (int k = from; k < to; ++k) {
                lambdas[k - k0] = mid;
            }
            return;
        }
        const int nmid = below(mid);
        split(lo, mid, nlo, nmid, depth + 1);
        split(mid, hi, nmid, nhi, depth + 1);
    }
};

void quadEigenvalues(Block b, int k0, int c, const Extended* guesses, bool byForces,
                     Quad* lambdas) {
    const QuadBisection bisection = {
        {b.chain, b.first, b.last - b.first + 1, byForces}, k0, c, lambdas};
    const Quad lowest = guesses[0];
    const Quad highest = guesses[c - 1];
    Quad lo = 0;
    Quad hi = 2 * highest + Quad(SquaredFrequencyBound()) + 1;
    for (Quad width = StartWidth; width < 1; width *= 1000) {
        if (bisection.below(lowest * (1 - width)) <= k0 &&
            bisection.below(highest * (1 + width)) >= k0 + c) {
            lo = lowest * (1 - width);
            hi = highest * (1 + width);
            break;
        }
    }
    bisection.split(lo, hi, bisection.below(lo), bisection.below(hi), 0);
}

Quad massDot(Block b, const Quad* x, const Quad* y) {
    Quad sum = 0;
    for (int i = b.first; i <= b.last; ++i) {
        sum += b.chain.m[i] * x[i] * y[i];
    }
    return sum;
}

// x^T K y, spring by spring: each spring's stretch in x times its stretch in y, the walls and the
// zero springs at the block's ends held still.
Quad stiffnessDot(Block b, const Quad* x, const Quad* y) {
    Quad sum = 0;
    for (int s = b.first; s <= b.last + 1; ++s) {
        const Quad xs = (s <= b.last ? x[s] : 0) - (s > b.first ? x[s - 1] : 0);
        const Quad ys = (s <= b.last ? y[s] : 0) - (s > b.first ? y[s - 1] : 0);
        sum += b.chain.K[s] * xs * ys;
    }
    return sum;
}

// Scales x to mass norm 1, its largest amplitude taken out first so that no square overflows;
// false for a vector of zeros.
bool normalise(Block b, Quad* x) {
    Quad largest = 0;
    for (int i = b.first; i <= b.last; ++i) {
        largest = larger(largest, magnitude(x[i]));
    }
    if (!(largest > 0)) {
        return false;
    }
    for (int i = b.first; i <= b.last; ++i) {
        x[i] /= largest;
    }
    const Quad norm = squareRoot(massDot(b, x, x));
    for (int i = b.first; i <= b.last; ++i) {
        x[i] /= norm;
    }
    return true;
}

void takeOut(Block b, const Quad* v, Quad* x) {
    const Quad along = massDot(b, x, v);
    for (int i = b.first; i <= b.last; ++i) {
        x[i] -= along * v[i];
    }
}

struct Basis {
    Vector v[MassCapacity];
    int size = 0;
};

// Adds what is left of x (mass norm 1) outside the basis, if that is a direction of its own;
// Gram-Schmidt twice over, so that rounding leaves no trace of the basis in it.
bool extend(Block b, Basis* basis, const Quad* x) {
    Quad* rest = basis->v[basis->size];
    std::copy(x, x + MassCapacity, rest);
    for (int pass = 0; pass < 2; ++pass) {
        for (int a = 0; a < basis->size; ++a) {
            takeOut(b, basis->v[a], rest);
        }
    }
    if (!(squareRoot(massDot(b, rest, rest)) > NewDirection) || !normalise(b, rest)) {
        return false;
    }
    ++basis->size;
    return true;
}

// Null vectors held at other masses than the best, at squared frequencies whose own null vector
// added nothing new (equal ones once). The vector held at mass r (x_r = 1) has the residual
// (K - lambda M) x = gamma_r e_r, in the symmetric problem |gamma_r| / sqrt(m_r) over its mass
// norm.
struct Pool {
    Vector x[MassCapacity * MassCapacity];
    Quad residual[MassCapacity * MassCapacity]; // relative to lambda
    int size = 0;
};

void gather(Block b, const TwistedPivots<Quad>& t, Quad lambda, Pool* pool) {
    for (int r = b.first; r <= b.last; ++r) {
        Quad* x = pool->x[pool->size];
        std::fill(x, x + MassCapacity, Quad(0));
        twistedVector(b.chain, b.first, b.last - b.first + 1, t, r, x);
        if (normalise(b, x)) {
            pool->residual[pool->size] =
                magnitude(t.gamma[r]) / squareRoot(b.chain.m[r]) * magnitude(x[r]) / lambda;
            ++pool->size;
        }
    }
}

// The pool's vector that adds the most to the basis among those whose residual is at most `limit`;
// -1 when none adds a direction of its own.
int mostIndependent(Block b, const Pool& pool, Quad limit) {
    int best = -1;
    Quad bestNorm = NewDirection * NewDirection;
    for (int k = 0; k < pool.size; ++k) {
        const Quad norm = massDot(b, pool.x[k], pool.x[k]);
        if (pool.residual[k] <= limit && norm > bestNorm) {
            bestNorm = norm;
            best = k;
        }
    }
    return best;
}

// The last resort of a basis that nothing else completes: single masses.
void fillWithMasses(Block b, int c, Basis* basis) {
    for (int r = b.first; r <= b.last && basis->size < c; ++r) {
        Vector unit = {};
        unit[r] = 1;
        normalise(b, unit);
        extend(b, basis, unit);
    }
}

// Where frequencies coincide in Quad too, their null vectors coincide; the missing directions come
// from the pool, the most independent of those inside the subspace first. Should the subspace
// still lack a direction (no arithmetic resolves it), the pool's next best residuals fill it.
void complete(Block b, int c, Pool* pool, Basis* basis) {
    for (int k = 0; k < pool->size; ++k) {
        for (int a = 0; a < basis->size; ++a) {
            takeOut(b, basis->v[a], pool->x[k]);
        }
    }
    Quad limit = CandidateResidual;
    while (basis->size < c) {
        const int best = mostIndependent(b, *pool, limit);
        if (best < 0 && limit < 1) {
            limit *= 1000;
            continue;
        }
        if (best < 0) {
            fillWithMasses(b, c, basis);
            return;
        }
        if (extend(b, basis, pool->x[best])) {
            for (int k = 0; k < pool->size; ++k) {
                takeOut(b, basis->v[basis->size - 1], pool->x[k]);
            }
        }
        pool->residual[best] = Precision<Quad>::huge;
    }
}

// Jacobi's rotations on the symmetric c x c matrix p until its off-diagonal entries are rounding;
// the columns of v gather the eigenvectors. A coupling below the rounding of the diagonal says
// nothing about the modes and turns nothing.
void diagonalise(int c, Quad p[][MassCapacity], Quad v[][MassCapacity]) {
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

void storeRelative(Block b, const Quad* x, double* row) {
    Quad largest = 0;
    for (int i = b.first; i <= b.last; ++i) {
        largest = larger(largest, magnitude(x[i]));
    }
    for (int i = 0; i < nfree; ++i) {
        row[i] = (i >= b.first && i <= b.last && largest > 0) ? double(x[i] / largest) : 0.0;
    }
}

// The Ritz vectors of the basis, in the order of their Ritz values.
void ritzModes(Block b, const Basis& basis, double rows[][MassCapacity]) {
    const int c = basis.size;
    Quad p[MassCapacity][MassCapacity];
    Quad v[MassCapacity][MassCapacity] = {};
    for (int a = 0; a < c; ++a) {
        for (int q = 0; q < c; ++q) {
            p[a][q] = stiffnessDot(b, basis.v[a], basis.v[q]);
        }
        v[a][a] = 1;
    }
    diagonalise(c, p, v);
    int order[MassCapacity];
    for (int j = 0; j < c; ++j) {
        int at = j;
        while (at > 0 && p[order[at - 1]][order[at - 1]] > p[j][j]) {
            order[at] = order[at - 1];
            --at;
        }
        order[at] = j;
    }
    for (int j = 0; j < c; ++j) {
        Vector mode = {};
        for (int a = 0; a < c; ++a) {
            for (int i = b.first; i <= b.last; ++i) {
                mode[i] += v[a][order[j]] * basis.v[a][i];
            }
        }
        storeRelative(b, mode, rows[j]);
    }
}

} // namespace

void CloseModes(int first, int count, int k0, int c, const Extended* guesses,
                double rows[][MassCapacity]) {
    const ChainIn<Quad> chain;
    const Block b = {chain, first, first + count - 1};
    const bool byForces = SpringsContrast(first, count);
    static TwistedPivots<Quad> factors[MassCapacity];
    static Pool pool;
    pool.size = 0;
    Basis basis;
    Quad lambdas[MassCapacity];
    quadEigenvalues(b, k0, c, guesses, byForces, lambdas);
    bool gathered = false;
    for (int j = 0; j < c; ++j) {
        twistedFactorisation(chain, first, count, lambdas[j], byForces, &factors[j]);
        Vector x = {};
        twistedVector(chain, first, count, factors[j], bestTwist(chain, first, count, factors[j]),
                      x);
        const bool added = normalise(b, x) && extend(b, &basis, x);
        // Equal squared frequencies give the same pool: it is gathered once for them.
        if (!added && !(gathered && lambdas[j] == lambdas[j - 1])) {
            gather(b, factors[j], lambdas[j], &pool);
            gathered = true;
        } else if (added) {
            gathered = false;
        }
    }
    complete(b, c, &pool, &basis);
    ritzModes(b, basis, rows);
}
