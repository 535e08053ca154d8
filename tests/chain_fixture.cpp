#include "chain_fixture.h"

#include <algorithm>
#include <cmath>

#include "model/simulation_state.h"

extern "C" void dstev_(const char* jobz, const int* n, double* d, double* e, double* z,
                       const int* ldz, double* work, int* info);

MassSpringChain chainOf(const Chain& chain) {
    MassSpringChain c = {};
    c.nfree = static_cast<int>(chain.masses.size());
    std::copy(chain.masses.begin(), chain.masses.end(), c.m);
    std::copy(chain.springs.begin(), chain.springs.end(), c.K);
    return c;
}

void loadChain(const Chain& chain) {
    SimulationState::Entries.chain = chainOf(chain);
}

Chain uniformChain(int n, double mass, double spring) {
    return {std::vector<double>(n, mass), std::vector<double>(n + 1, spring)};
}

ReferenceModes referenceModes(const Chain& chain) {
    const int n = static_cast<int>(chain.masses.size());
    const std::vector<double>& m = chain.masses;
    const std::vector<double>& k = chain.springs;
    std::vector<double> d(n), e(n > 1 ? n - 1 : 1), z(n * n), work(n > 1 ? 2 * n - 2 : 1);
    for (int i = 0; i < n; ++i) {
        d[i] = (k[i] + k[i + 1]) / m[i];
    }
    for (int i = 0; i + 1 < n; ++i) {
        e[i] = -k[i + 1] / std::sqrt(m[i] * m[i + 1]);
    }
    int info = 0;
    const char jobz = 'V';
    dstev_(&jobz, &n, d.data(), e.data(), z.data(), &n, work.data(), &info);
    ReferenceModes ref;
    ref.lambda = d;
    ref.shape.assign(n, std::vector<double>(n));
    for (int col = 0; col < n; ++col) {
        for (int i = 0; i < n; ++i) {
            ref.shape[col][i] = z[col * n + i] / std::sqrt(m[i]); // y = M^-1/2 u
        }
    }
    return ref;
}

ReferenceEnergy referenceEnergy(const Chain& chain, const std::vector<double>& state) {
    const int n = static_cast<int>(chain.masses.size());
    const ReferenceModes ref = referenceModes(chain);
    ReferenceEnergy out;
    for (int k = 0; k < n; ++k) {
        double a = 0.0;
        double b = 0.0;
        for (int i = 0; i < n; ++i) {
            a += ref.shape[k][i] * chain.masses[i] * state[2 * i];
            b += ref.shape[k][i] * chain.masses[i] * state[2 * i + 1];
        }
        out.modes.push_back(0.5 * (b * b + ref.lambda[k] * a * a));
    }
    for (int i = 0; i < n; ++i) {
        out.kinetic += 0.5 * chain.masses[i] * state[2 * i + 1] * state[2 * i + 1];
        for (int j = 0; j < n; ++j) {
            double stiffness = 0.0;
            if (i == j) {
                stiffness = chain.springs[i] + chain.springs[i + 1];
            } else if (j == i + 1 || j == i - 1) {
                stiffness = -chain.springs[std::max(i, j)];
            }
            out.potential += 0.5 * state[2 * i] * stiffness * state[2 * j];
        }
    }
    return out;
}

Chain randomChain(unsigned long long* seed, const ChainRanges& r) {
    const int span = r.maxMasses - r.minMasses + 1;
    const int n = r.minMasses + static_cast<int>(uniform01(seed) * span) % span;
    Chain chain;
    for (int i = 0; i < n; ++i) {
        // Log-uniform masses cover every decade of the range alike.
        const double t = uniform01(seed);
        chain.masses.push_back(r.minMass * std::pow(r.maxMass / r.minMass, t));
    }
    for (int i = 0; i <= n; ++i) {
        const bool zero = uniform01(seed) < r.zeroSpringChance;
        // Log-uniform, so soft and stiff parts meet in one chain.
        const double t = uniform01(seed);
        chain.springs.push_back(zero ? 0.0 : r.minSpring * std::pow(r.maxSpring / r.minSpring, t));
    }
    return chain;
}
