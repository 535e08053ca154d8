// Modal analysis of the chain held in the shared model: natural circular frequencies and mode
// shapes of the undamped chain, from the pencil K - lambda M (lambda = omega^2, 1/s^2).
//
// Nothing here prints or draws; every routine works on the shared model or on the arrays it is
// handed.
#pragma once

#include "model/simulation_state.h"

// K - lambda M for the trial lambda of the moment (N/m), rows MassCapacity apart: the modal
// analysis's own working matrix, valid only until the next determinant is taken of it.
extern double DynamicMatrix[SimulationState::MassCapacity][SimulationState::MassCapacity];

// Fills the leading nfree x nfree block of DynamicMatrix with K - lambda M.
void AssembleDynamicMatrix(double lambda);

// Determinant of the n x n matrix held in a with the given row stride, by Gaussian elimination
// with partial pivoting. When |det| > 1e-06 the matrix is replaced in place by its inverse;
// otherwise it is left as it was.
double DeterminantAndInverse(int n, double* a, int stride);

// Fills omega0[0 ... nfree-1] with the natural circular frequencies (rad/s), ascending.
void SearchNaturalFrequencies();

// Fills ModeShape and ModeMaxAmplitude for every mode of omega0; row k is scaled so that the
// amplitude of mass 1 is exactly 1 (of the first mass that moves, where mass 1 rests in that mode).
void ComputeModeShapes();
