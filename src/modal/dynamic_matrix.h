// The dynamic matrix K - lambda M and the general determinant-and-inverse routine (internal to the
// modal analysis, and open to its tests and benchmarks). The search takes its determinants from
// chainDeterminant, which gives the very numbers this routine gives for the assembled matrix.
#pragma once

#include "model/records.h"

// K - lambda M for the trial lambda of the moment (N/m), rows MassCapacity apart: the modal
// analysis's own working matrix, valid only until the next determinant is taken of it.
extern double DynamicMatrix[MassCapacity][MassCapacity];

// Fills the leading nfree x nfree block of DynamicMatrix with K - lambda M of the chain.
void AssembleDynamicMatrix(const MassSpringChain& chain, double lambda);

// Determinant of the n x n matrix held in a with the given row stride, by Gaussian elimination
// with partial pivoting. When |det| > 1e-06 the matrix is replaced in place by its inverse;
// otherwise it is left as it was.
double DeterminantAndInverse(int n, double* a, int stride);
