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

// A fixed sequence in [0, 1), so every run measures the same chains.
inline double nextUniform(unsigned long long* seed) {
    *seed = *seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(*seed >> 11) / 9007199254740992.0;
}

// Masses between 0.5 and 2 kg and springs between 0.5 and 1.5 times `ratio` N/m (per kg).
inline void loadRandomChain(int n, double ratio) {
    unsigned long long seed = 12345 + static_cast<unsigned long long>(n);
    const auto next = [&seed] { return nextUniform(&seed); };
    SimulationState::nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::m[i] = 0.5 * std::pow(4.0, next());
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::K[i] = ratio * (0.5 + next());
    }
}

// 20 masses: copies of one piece of `length` masses (1e-3 ... 1e6 kg on 1e-3 ... 1e6 N/m) joined
// by springs of 1e-10 ... 1e-300 N/m, so that groups of modes share a frequency to any precision.
inline void loadRepeatedChain(int length) {
    unsigned long long seed = 777 + static_cast<unsigned long long>(length);
    double piece[2][6];
    for (int i = 0; i <= length; ++i) {
        piece[0][i] = std::pow(10.0, -3.0 + 9.0 * nextUniform(&seed));
        piece[1][i] = std::pow(10.0, -3.0 + 9.0 * nextUniform(&seed));
    }
    int n = 0;
    for (int copy = 0; copy < 20 / length; ++copy) {
        for (int i = 0; i < length; ++i, ++n) {
            SimulationState::m[n] = piece[0][i];
            SimulationState::K[n] = (copy > 0 && i == 0)
                                        ? std::pow(10.0, -10.0 - 290.0 * nextUniform(&seed))
                                        : piece[1][i];
        }
    }
    SimulationState::K[n] = piece[1][length];
    SimulationState::nfree = n;
}

// n masses of 1e-3 ... 1e6 kg on springs of 1e-300 ... 1e6 N/m, log-uniform.
inline void loadWideRangeChain(int n) {
    unsigned long long seed = 4242;
    SimulationState::nfree = n;
    for (int i = 0; i < n; ++i) {
        SimulationState::m[i] = std::pow(10.0, -3.0 + 9.0 * nextUniform(&seed));
    }
    for (int i = 0; i <= n; ++i) {
        SimulationState::K[i] = std::pow(10.0, -300.0 + 306.0 * nextUniform(&seed));
    }
}
