#include "modal/dynamic_matrix.h"
#include "modal/chain_pivots.h"

double DynamicMatrix[MassCapacity][MassCapacity] = {};

// Row i is the amplitude form of mass i+1's equation of motion for a harmonic motion with
// lambda = omega^2:  K[i]*(y[i]-y[i-1]) + K[i+1]*(y[i]-y[i+1]) - lambda*m[i]*y[i] = 0.
void AssembleDynamicMatrix(const MassSpringChain& chain, double lambda) {
    const int n = chain.nfree;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            DynamicMatrix[i][j] = 0.0;
        }
    }
    for (int i = 0; i + 1 < n; ++i) {
        DynamicMatrix[i][i + 1] = -chain.K[i + 1];
    }
    for (int i = 1; i < n; ++i) {
        DynamicMatrix[i][i - 1] = -chain.K[i];
    }
    // The search's determinants depend on the diagonal's order of operations to the last bit.
    const ChainIn<double> constants(chain);
    for (int i = 0; i < n; ++i) {
        DynamicMatrix[i][i] = diagonalOf(constants, i, lambda);
    }
}
