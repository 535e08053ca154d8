// Chains for the benchmarks, loaded straight into the shared state.
#pragma once

#include <cmath>

#include "app/simulation_state.h"

// n masses of 1 kg on n+1 springs of `ratio` N/m.
inline void loadUniformChain(int n, double ratio) {
    SimulationState::nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::m[i] = 1.0;
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::K[i] = ratio;
    }
}

// Masses between 0.5 and 2 kg and springs between 0.5 and 1.5 times `ratio` N/m (per kg), drawn
// from a fixed sequence so every run measures the same chain.
inline void loadRandomChain(int n, double ratio) {
    unsigned long long seed = 12345 + static_cast<unsigned long long>(n);
    const auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    SimulationState::nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::m[i] = 0.5 * std::pow(4.0, next());
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::K[i] = ratio * (0.5 + next());
    }
}
