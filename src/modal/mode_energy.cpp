// The chain's energy, how it splits into the natural modes, and how far each mass can swing.
#include <cmath>

#include "modal/modal.h"

namespace {

// A mode slower than this (rad/s; a period of over 70 days) does not come back within any
// picture a student watches: it counts with its displacement now, as a chain free at both ends
// drifts.
constexpr double ZeroFrequency = 1e-6;

// A mode's shape scaled to its largest component 1 (mass 1 may barely move in a mode, and a shape
// with mass 1 at 1 may then run near the largest double, its mu past it), and the state's
// coordinates in it: q = phi' M x / mu, and q' the same of the velocities. A mode's energy and
// its share of a displacement do not depend on the scale of its shape.
struct ModalCoordinates {
    double shape[2 * MassCapacity]; // laid out as a state: displacements at even entries
    double mu;                      // phi' M phi
    double q;
    double qDot;
};

ModalCoordinates project(const MassSpringChain& chain, const ModalResults& modes,
                         const double* state, int r) {
    ModalCoordinates c = {{}, 0.0, 0.0, 0.0};
    const double scale = 1.0 / modes.ModeMaxAmplitude[r];
    double projectedX = 0.0;
    double projectedV = 0.0;
    for (int i = 0; i < chain.nfree; ++i) {
        c.shape[2 * i] = modes.ModeShape[r][i] * scale;
        const double weighted = chain.m[i] * c.shape[2 * i];
        c.mu += weighted * c.shape[2 * i];
        projectedX += weighted * state[2 * i];
        projectedV += weighted * state[2 * i + 1];
    }
    c.q = projectedX / c.mu;
    c.qDot = projectedV / c.mu;
    return c;
}

} // namespace

ChainEnergy chainEnergy(const MassSpringChain& chain, const double* state) {
    const int n = chain.nfree;
    ChainEnergy energy = {0.0, 0.0};
    for (int i = 0; i < n; ++i) {
        const double v = state[2 * i + 1];
        energy.kinetic += 0.5 * chain.m[i] * v * v;
    }
    // Spring i joins mass i (the left wall for i = 0) to mass i+1 (the right wall for i = nfree).
    for (int i = 0; i <= n; ++i) {
        const double left = i > 0 ? state[2 * i - 2] : 0.0;
        const double right = i < n ? state[2 * i] : 0.0;
        energy.potential += 0.5 * chain.K[i] * (right - left) * (right - left);
    }
    return energy;
}

// A mode's stiffness phi' K phi is taken from its shape rather than as omega^2 mu: the printed
// frequencies keep only the search's digits, the shapes are formed at the polished ones.
void modeShares(const MassSpringChain& chain, const ModalResults& modes, const double* state,
                double* shares) {
    double total = 0.0;
    for (int r = 0; r < chain.nfree; ++r) {
        const ModalCoordinates c = project(chain, modes, state, r);
        const double stiffness = 2.0 * chainEnergy(chain, c.shape).potential;
        shares[r] = 0.5 * (c.mu * c.qDot * c.qDot + stiffness * c.q * c.q);
        total += shares[r];
    }
    for (int r = 0; r < chain.nfree; ++r) {
        shares[r] = total > 0.0 ? shares[r] / total : 0.0;
    }
}

// Mode r moves as q_r(t) = a_r cos(omega_r t - phase), a_r = sqrt(q_r^2 + (q_r' / omega_r)^2),
// so mass i never leaves sum over r of |phi_ri| a_r.
void reachableDisplacements(const MassSpringChain& chain, const ModalResults& modes,
                            const double* state, double* reach) {
    const int n = chain.nfree;
    for (int i = 0; i < n; ++i) {
        reach[i] = 0.0;
    }
    for (int r = 0; r < n; ++r) {
        const ModalCoordinates c = project(chain, modes, state, r);
        const double omega = modes.PolishedOmega[r];
        const double amplitude =
            omega > ZeroFrequency ? std::hypot(c.q, c.qDot / omega) : std::fabs(c.q);
        for (int i = 0; i < n; ++i) {
            reach[i] += std::fabs(c.shape[2 * i]) * amplitude;
        }
    }
}
