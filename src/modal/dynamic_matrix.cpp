#include "app/simulation_state.h"
#include "modal/modal.h"

using namespace SimulationState;

// Row i is the amplitude form of mass i+1's equation of motion for a harmonic motion with
// lambda = omega^2:  K[i]*(y[i]-y[i-1]) + K[i+1]*(y[i]-y[i+1]) - lambda*m[i]*y[i] = 0.
void AssembleDynamicMatrix(double lambda) {
    const int n = nfree;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            DynamicMatrix[i][j] = 0.0;
        }
    }
    for (int i = 0; i + 1 < n; ++i) {
        DynamicMatrix[i][i + 1] = -K[i + 1];
    }
    for (int i = 1; i < n; ++i) {
        DynamicMatrix[i][i - 1] = -K[i];
    }
    // Negated mass times lambda first, then the left spring, then the right spring: the search's
    // determinants depend on this order to the last bit.
    for (int i = 0; i < n; ++i) {
        DynamicMatrix[i][i] = ((-m[i]) * lambda + K[i]) + K[i + 1];
    }
}
