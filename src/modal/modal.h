// Modal analysis of the chain: natural circular frequencies and mode shapes of the undamped chain,
// from the pencil K - lambda M (lambda = omega^2, 1/s^2), and what they say about a state of it.
//
// Nothing here prints or draws. The two operations of the analysis work on the chain and the modes
// of the shared state; every other routine takes the chain and its modes as arguments.
#pragma once

#include "model/records.h"

// Fills omega0[0 ... nfree-1] of the shared state with the natural circular frequencies (rad/s) of
// its chain, ascending.
void SearchNaturalFrequencies();

// Fills ModeShape and ModeMaxAmplitude of the shared state for every mode; row k is scaled so that
// the amplitude of mass 1 is exactly 1 (of the first mass that moves, where mass 1 rests in that
// mode). PolishedOmega gets the frequencies the shapes are formed at, to a double's full precision.
void ComputeModeShapes();

// The energy of a state of the chain, laid out as StateVector: displacement, then velocity, of
// each mass.
struct ChainEnergy {
    double kinetic;   // J, half of v' M v
    double potential; // J, half of x' K x, both walls held at rest
};
ChainEnergy chainEnergy(const MassSpringChain& chain, const double* state);

// Each mode's share of the state's energy, mode 1 first: E_r / (E_1 + ... + E_n), where
// E_r = (mu_r q_r'^2 + kappa_r q_r^2) / 2 with q_r = phi_r' M x / mu_r, mu_r = phi_r' M phi_r,
// kappa_r = phi_r' K phi_r = omega_r^2 mu_r (and q_r' the same of the velocities). The modes being
// M-orthogonal, the E_r add up to the energy, and in exact motion each stays as it started. All
// shares are 0 for a chain at rest.
void modeShares(const MassSpringChain& chain, const ModalResults& modes, const double* state,
                double* shares);

// How far each mass can swing from its rest position in the motion that the state starts (m):
// the sum over the modes of |phi_ri| times mode r's amplitude in the state; a mode of no frequency
// counts with its displacement now.
void reachableDisplacements(const MassSpringChain& chain, const ModalResults& modes,
                            const double* state, double* reach);
