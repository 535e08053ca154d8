// Chains for the benchmarks, loaded straight into the shared state.
#pragma once

#include <cmath>

#include "model/simulation_state.h"
#include "random_numbers.h" // the tests' generator: every run measures the same chains

// n masses of 1 kg on n+1 springs of `ratio` N/m.
inline void loadUniformChain(int n, double ratio) {
    SimulationState::Entries.chain.nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::Entries.chain.m[i] = 1.0;
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::Entries.chain.K[i] = ratio;
    }
}

// Masses between 0.5 and 2 kg and springs between 0.5 and 1.5 times `ratio` N/m (per kg).
inline void loadRandomChain(int n, double ratio) {
    unsigned long long seed = 12345 + static_cast<unsigned long long>(n);
    const auto next = [&seed] { return uniform01(&seed); };
    SimulationState::Entries.chain.nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::Entries.chain.m[i] = 0.5 * std::pow(4.0, next());
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::Entries.chain.K[i] = ratio * (0.5 + next());
    }
}

// 20 masses: copies of one piece of `length` masses (1e-3 ... 1e6 kg on 1e-3 ... 1e6 N/m) joined
// by springs of 1e-10 ... 1e-300 N/m, so that groups of modes share a frequency to any precision.
inline void loadRepeatedChain(int length) {
    unsigned long long seed = 777 + static_cast<unsigned long long>(length);
    double piece[2][6];
    for (int i = 0; i <= length; ++i) {
        piece[0][i] = std::pow(10.0, -3.0 + 9.0 * uniform01(&seed));
        piece[1][i] = std::pow(10.0, -3.0 + 9.0 * uniform01(&seed));
    }
    int n = 0;
    for (int copy = 0; copy < 20 / length; ++copy) {
        for (int i = 0; i < length; ++i, ++n) {
            SimulationState::Entries.chain.m[n] = piece[0][i];
            SimulationState::Entries.chain.K[n] =
                (copy > 0 && i == 0) ? std::pow(10.0, -10.0 - 290.0 * uniform01(&seed))
                                     : piece[1][i];
        }
    }
    SimulationState::Entries.chain.K[n] = piece[1][length];
    SimulationState::Entries.chain.nfree = n;
}

// n masses of 1e-3 ... 1e6 kg on springs of 1e-300 ... 1e6 N/m, log-uniform.
inline void loadWideRangeChain(int n) {
    unsigned long long seed = 4242;
    SimulationState::Entries.chain.nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::Entries.chain.m[i] = std::pow(10.0, -3.0 + 9.0 * uniform01(&seed));
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::Entries.chain.K[i] = std::pow(10.0, -300.0 + 306.0 * uniform01(&seed));
    }
}
