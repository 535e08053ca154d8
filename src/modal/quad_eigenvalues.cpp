#include "modal/close_modes.h"

namespace {

// The bracket of each squared frequency starts this close (relative) about its double value, whose
// rounding it comfortably covers, and widens until the root count confirms it.
constexpr double StartWidth = 1e-13;
constexpr int MaxQuadBisections = 400;

// The Rayleigh-Ritz step needs the basis only to span the close modes' subspace: mixing inside it
// is undone by the rotation. A basis vector that strays by eps outside the subspace, to modes a
// relative gap g >= 1e-8 away, disturbs B^T K B by eps^2 g; squared frequencies bisected to this
// (relative) keep eps near 1e-14, and that disturbance far below Quad's rounding of 1e-34.
constexpr double SubspaceWidth = 1e-22;

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
        if (depth >= MaxQuadBisections || hi - lo <= 2 * SubspaceWidth * hi) {
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

} // namespace

void quadEigenvalues(const ChainIn<Quad>& chain, double bound, int first, int count, int k0, int c,
                     const Extended* guesses, bool byForces, Quad* lambdas) {
    const QuadBisection bisection = {{chain, first, count, byForces}, k0, c, lambdas};
    const Quad lowest = guesses[0];
    const Quad highest = guesses[c - 1];
    Quad lo = 0;
    Quad hi = 2 * highest + Quad(bound) + 1;
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
