// The chain's energy, and how it splits into the natural modes.
#include "modal/modal.h"

#include "model/simulation_state.h"

using namespace SimulationState;

ChainEnergy chainEnergy(const double* state) {
    ChainEnergy energy = {0.0, 0.0};
    for (int i = 0; i < nfree; ++i) {
        const double v = state[2 * i + 1];
        energy.kinetic += 0.5 * m[i] * v * v;
    }
    // Spring i joins mass i (the left wall for i = 0) to mass i+1 (the right wall for i = nfree).
    for (int i = 0; i <= nfree; ++i) {
        const double left = i > 0 ? state[2 * i - 2] : 0.0;
        const double right = i < nfree ? state[2 * i] : 0.0;
        energy.potential += 0.5 * K[i] * (right - left) * (right - left);
    }
    return energy;
}

// A mode's stiffness phi' K phi is taken from its shape rather than as omega^2 mu: the printed
// frequencies keep only the search's digits, the shapes are formed at the polished ones.
void modeShares(const double* state, double* shares) {
    double total = 0.0;
    for (int r = 0; r < nfree; ++r) {
        // The shape scaled to its largest component 1: mass 1 may barely move in a mode, and a
        // shape with mass 1 at 1 may then run near the largest double, its mu past it. A mode's
        // energy does not depend on the scale of its shape.
        const double scale = 1.0 / ModeMaxAmplitude[r];
        double shape[2 * MassCapacity] = {};
        double mu = 0.0;
        double projectedX = 0.0;
        double projectedV = 0.0;
        for (int i = 0; i < nfree; ++i) {
            shape[2 * i] = ModeShape[r][i] * scale;
            const double weighted = m[i] * shape[2 * i];
            mu += weighted * shape[2 * i];
            projectedX += weighted * state[2 * i];
            projectedV += weighted * state[2 * i + 1];
        }
        const double stiffness = 2.0 * chainEnergy(shape).potential;
        const double q = projectedX / mu;
        const double qDot = projectedV / mu;
        shares[r] = 0.5 * (mu * qDot * qDot + stiffness * q * q);
        total += shares[r];
    }
    for (int r = 0; r < nfree; ++r) {
        shares[r] = total > 0.0 ? shares[r] / total : 0.0;
    }
}
