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

namespace {

using Vector = Quad[MassCapacity];

// A vector whose part outside the basis so far is smaller than this (of its mass norm) adds no
// direction of its own.
constexpr double NewDirection = 1e-6;

// A null vector held at another mass lies in the close modes' subspace when its residual is this
// small relative to the squared frequency: its part outside the subspace is then at most the
// residual over the gap of 1e-8, as above.
constexpr double CandidateResidual = 1e-21;

// The masses first ... last and the chain's constants in Quad.
struct Block {
    const ChainIn<Quad>& chain;
    int first;
    int last;
};

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

void storeRelative(Block b, int masses, const Quad* x, double* row) {
    Quad largest = 0;
    for (int i = b.first; i <= b.last; ++i) {
        largest = larger(largest, magnitude(x[i]));
    }
    for (int i = 0; i < masses; ++i) {
        row[i] = (i >= b.first && i <= b.last && largest > 0) ? double(x[i] / largest) : 0.0;
    }
}

// The Ritz vectors of the basis, in the order of their Ritz values.
void ritzModes(Block b, int masses, const Basis& basis, double rows[][MassCapacity]) {
    const int c = basis.size;
    Quad p[MassCapacity][MassCapacity];
    Quad v[MassCapacity][MassCapacity] = {};
    for (int a = 0; a < c; ++a) {
        for (int q = 0; q < c; ++q) {
            p[a][q] = stiffnessDot(b, basis.v[a], basis.v[q]);
        }
        v[a][a] = 1;
    }
    diagonaliseSymmetric(c, p, v);
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
        storeRelative(b, masses, mode, rows[j]);
    }
}

} // namespace

void closeModes(const MassSpringChain& masses, int first, int count, int k0, int c,
                const Extended* guesses, double rows[][MassCapacity]) {
    const ChainIn<Quad> chain(masses);
    const Block b = {chain, first, first + count - 1};
    const bool byForces = springsContrast(masses, first, count);
    static TwistedPivots<Quad> factors[MassCapacity];
    static Pool pool;
    pool.size = 0;
    Basis basis;
    Quad lambdas[MassCapacity];
    quadEigenvalues(chain, squaredFrequencyBound(masses), first, count, k0, c, guesses, byForces,
                    lambdas);
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
    ritzModes(b, masses.nfree, basis, rows);
}
