// The spectrum of the chain through the inertia of the symmetric tridiagonal K - lambda M
// (internal to the modal analysis, and open to its tests): the number of its negative pivots
// equals the number of squared natural frequencies below lambda. The block forms look only at
// masses first ... first+count-1, as if the springs on either side of the block were held at the
// walls.
#pragma once

#include "modal/wide_arithmetic.h"
#include "model/records.h"

// Whether some two adjacent springs of masses first ... first+count-1 are so far apart that the
// pivots must be formed from the springs' forces rather than from the diagonal.
bool springsContrast(const MassSpringChain& chain, int first, int count);

// Whether some spring of the chain is so soft (below 1e-140 N/m) that its square underflows a
// double: the counts and roots of such a chain are taken in Extended.
bool chainNeedsWideRange(const MassSpringChain& chain);

int countRootsBelow(const MassSpringChain& chain, double lambda);
int countBlockRootsBelow(const MassSpringChain& chain, int first, int count, double lambda);

// The (k+1)-th smallest squared natural frequency (1/s^2) of the block to the full precision of
// its arithmetic (double, or Extended for a chain that needs the wide range), by bisection on the
// root count; never negative.
Extended blockEigenvalue(const MassSpringChain& chain, int first, int count, int k);
double chainEigenvalue(const MassSpringChain& chain, int k);

// An upper bound (1/s^2) of every squared natural frequency of the chain: Gershgorin's bound for
// the rows of M^-1 K.
double squaredFrequencyBound(const MassSpringChain& chain);

// det(K - lambda M) of the chain, bit for bit what DeterminantAndInverse gives for the assembled
// DynamicMatrix, in a number of operations that grows with nfree rather than its cube: the search's
// one evaluation per trial point.
double chainDeterminant(const MassSpringChain& chain, double lambda);
