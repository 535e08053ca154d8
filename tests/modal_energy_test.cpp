// The chain's energy and each mode's share of it, against LAPACK's M-orthonormal modes: random
// chains from random typed starts, every mode start of a uniform chain, and a chain at rest.
#include <gtest/gtest.h>

#include <vector>

#include "chain_fixture.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using SimulationState::Entries;

namespace {

void analyse(const Chain& chain) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
}

TEST(ModeEnergy, RandomChainsFromTypedStartsMatchLapack) {
    unsigned long long seed = 1717;
    const ChainRanges ranges = {1, 20, 0.1, 10.0, 1.0, 100.0, 0.0};
    for (int trial = 0; trial < 200; ++trial) {
        const Chain chain = randomChain(&seed, ranges);
        analyse(chain);
        std::vector<double> state(2 * Entries.chain.nfree);
        for (double& s : state) {
            s = 2.0 * uniform01(&seed) - 1.0; // m and m/s, as a student types them
        }
        const ReferenceEnergy ref = referenceEnergy(chain, state);
        double total = 0.0;
        for (double e : ref.modes) {
            total += e;
        }
        const ChainEnergy energy = chainEnergy(Entries.chain, state.data());
        EXPECT_NEAR(energy.kinetic, ref.kinetic, 1e-12 * total) << "trial " << trial;
        EXPECT_NEAR(energy.potential, ref.potential, 1e-12 * total) << "trial " << trial;
        EXPECT_NEAR(energy.kinetic + energy.potential, total, 1e-9 * total) << "trial " << trial;
        double shares[MassCapacity];
        modeShares(Entries.chain, Entries.modes, state.data(), shares);
        for (int k = 0; k < Entries.chain.nfree; ++k) {
            EXPECT_NEAR(shares[k], ref.modes[k] / total, 1e-9)
                << "trial " << trial << " mode " << k + 1;
        }
    }
}

// A start in one mode's shape, at rest or moving, is all that mode's, to the panel's digits and
// far below them; so is a shape whose mass 1 barely moves (strongly unequal masses).
TEST(ModeEnergy, AModeStartIsOneShareOfAHundredPercent) {
    for (const Chain& chain : {uniformChain(20, 1.0, 1.0), uniformChain(7, 0.001, 1e6),
                               Chain{{1e6, 0.001, 1.0}, {1e6, 1e-3, 1e-3, 1e6}}}) {
        analyse(chain);
        for (int r = 0; r < Entries.chain.nfree; ++r) {
            for (bool moving : {false, true}) {
                double state[2 * MassCapacity];
                for (int i = 0; i < Entries.chain.nfree; ++i) {
                    state[2 * i] = moving ? 0.0 : Entries.modes.ModeShape[r][i];
                    state[2 * i + 1] = moving ? Entries.modes.ModeShape[r][i] : 0.0;
                }
                double shares[MassCapacity];
                modeShares(Entries.chain, Entries.modes, state, shares);
                for (int k = 0; k < Entries.chain.nfree; ++k) {
                    EXPECT_NEAR(shares[k], k == r ? 1.0 : 0.0, 1e-9)
                        << "n " << Entries.chain.nfree << " start in mode " << r + 1 << " share of "
                        << k + 1;
                }
            }
        }
    }
}

TEST(ModeEnergy, AChainAtRestHasNoEnergyAndNoShares) {
    analyse(uniformChain(4, 2.0, 3.0));
    const double rest[8] = {};
    const ChainEnergy energy = chainEnergy(Entries.chain, rest);
    EXPECT_EQ(energy.kinetic, 0.0);
    EXPECT_EQ(energy.potential, 0.0);
    double shares[MassCapacity];
    modeShares(Entries.chain, Entries.modes, rest, shares);
    for (int k = 0; k < Entries.chain.nfree; ++k) {
        EXPECT_EQ(shares[k], 0.0);
    }
}

} // namespace
