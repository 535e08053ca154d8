// The mode shapes of natural frequencies that lie too close together for a double (internal to the
// modal analysis).
#pragma once

#include "modal/chain_pivots.h"

// Modes k0 ... k0+c-1 of the block of masses first ... first+count-1, whose squared frequencies
// (about `guesses`, 1/s^2) lie within a relative 1e-8 of each other. Row j of `rows` receives mode
// k0+j over the whole chain (0 outside the block), relative to its largest amplitude. The rows are
// right to about 1e-34 over the relative gap between neighbouring frequencies, and mass-orthogonal
// to each other even where no arithmetic can tell the frequencies apart.
void closeModes(const MassSpringChain& chain, int first, int count, int k0, int c,
                const Extended* guesses, double rows[][MassCapacity]);

// Its two steps of their own: the squared frequencies k0 ... k0+c-1 of the block bisected in Quad
// close enough that their null vectors span the modes' subspace (bound: an upper bound of every
// squared frequency of the chain, 1/s^2), and Jacobi's rotations of a
// symmetric c x c matrix p, whose eigenvectors gather in the columns of v (which starts as I).
void quadEigenvalues(const ChainIn<Quad>& chain, double bound, int first, int count, int k0, int c,
                     const Extended* guesses, bool byForces, Quad* lambdas);
void diagonaliseSymmetric(int c, Quad p[][MassCapacity], Quad v[][MassCapacity]);
