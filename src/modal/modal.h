// Modal analysis of the chain held in the shared state: natural circular frequencies and mode
// shapes of the undamped chain, from the pencil K - lambda M (lambda = omega^2, 1/s^2).
//
// Nothing here prints or draws; every routine works on the shared state or on the arrays it is
// handed.
#pragma once

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

// The spectrum of the chain through the inertia of the symmetric tridiagonal K - lambda M: the
// number of its negative pivots equals the number of squared natural frequencies below lambda.
// The block forms look only at masses first ... first+count-1, as if the springs on either side of
// the block were held at the walls.
int CountRootsBelow(double lambda);
// Whether some two adjacent springs of masses first ... first+count-1 are so far apart that the
// pivots must be formed from the springs' forces rather than from the diagonal.
bool SpringsContrast(int first, int count);
int CountBlockRootsBelow(int first, int count, double lambda);

// The (k+1)-th smallest squared natural frequency (1/s^2) to full double precision, by bisection
// on the root count; never negative.
double ChainEigenvalue(int k);
double BlockEigenvalue(int first, int count, int k);

// The march of the frequency search over lambda: its points from 0.001 upward, each the sum of
// the one before and the step, rounded as the march adds them. BuildMarchPoints lays them out up
// to the first point above `ceiling` (1/s^2) and returns that point's index; MarchPoint gives the
// point of an index up to it.
long long BuildMarchPoints(double ceiling);
double MarchPoint(long long index);

// An upper bound (1/s^2) of every squared natural frequency of the chain: Gershgorin's bound for
// the rows of M^-1 K.
double SquaredFrequencyBound();
