// Helpers shared by the numerics tests: a chain as the numerics take it (and loaded into the shared
// state), and an independent reference spectrum from LAPACK.
#pragma once

#include <vector>

#include "model/records.h"
#include "random_numbers.h"

struct Chain {
    std::vector<double> masses;  // kg
    std::vector<double> springs; // N/m, one more than the masses
};

// The chain as the numerics take it, and loaded into the shared state's entries.
MassSpringChain chainOf(const Chain& chain);
void loadChain(const Chain& chain);

// n equal masses on n+1 equal springs.
Chain uniformChain(int n, double mass, double spring);

// Squared natural frequencies (ascending) and mass-normalised-free eigenvectors y (rows) of the
// pencil (K, M), from LAPACK's dstev on M^-1/2 K M^-1/2.
struct ReferenceModes {
    std::vector<double> lambda;
    std::vector<std::vector<double>> shape; // shape[k][i], amplitude of mass i+1 in mode k+1
};
ReferenceModes referenceModes(const Chain& chain);

// The energy of a state (displacement, then velocity, of each mass) split into the reference
// modes, E_k = (b_k^2 + lambda_k a_k^2) / 2 with a_k = y_k' M x and b_k = y_k' M v, and its
// kinetic and potential parts from the mass and stiffness matrices written out in full.
struct ReferenceEnergy {
    std::vector<double> modes; // J, mode 1 first
    double kinetic = 0.0;      // J
    double potential = 0.0;    // J
};
ReferenceEnergy referenceEnergy(const Chain& chain, const std::vector<double>& state);

// A random chain drawn with the given generator state (a 64-bit LCG, so runs repeat exactly).
struct ChainRanges {
    int minMasses;
    int maxMasses;
    double minMass;
    double maxMass;
    double minSpring; // springs other than 0 are log-uniform in [minSpring, maxSpring]
    double maxSpring;
    double zeroSpringChance; // probability that a spring constant is exactly 0
};
Chain randomChain(unsigned long long* seed, const ChainRanges& ranges);
