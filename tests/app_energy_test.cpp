// The energy panel's numbers after a run of frames, against the energy of the reached state
// computed apart (LAPACK's modes): the drift the integrator promises to keep, the shares that
// stand still, and a run that starts at rest.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/energy_view.h"
#include "app/frame.h"
#include "app/run_start.h"
#include "chain_fixture.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

// The dialogue's part: the chain analysed, the typed start, every curve drawn.
void typeRun(const Chain& chain, const std::vector<double>& start) {
    loadChain(chain);
    SearchNaturalFrequencies();
    ComputeModeShapes();
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        Entries.start.y0[i] = start[2 * i];
        Entries.start.v0[i] = start[2 * i + 1];
    }
    Entries.start.ncurve = Entries.chain.nfree;
    Entries.start.MaxAmplitude = 1.0;
    Motion.SimTime = 0.0;
    startRun();
}

std::vector<double> reachedState() {
    return std::vector<double>(Motion.StateVector, Motion.StateVector + 2 * Entries.chain.nfree);
}

double sum(const std::vector<double>& values) {
    double total = 0.0;
    for (double v : values) {
        total += v;
    }
    return total;
}

// Plain-step chains (no sub-steps: omega h at most 0.12) keep their energy to 2 % over 1000
// frames, the method's own loss; the panel's drift is that loss, and its bars are where they
// started, to that loss.
TEST(EnergyPanel, ShowsTheDriftOfPlainStepChainsOver1000Frames) {
    const struct {
        Chain chain;
        std::vector<double> start;
    } cases[] = {{uniformChain(3, 1.0, 40.0), {0.1, 0, 0, 0, 0, 0}},
                 {uniformChain(3, 1.0, 40.0), {0.1, -0.2, 0.05, 0, -0.1, 0.3}},
                 {Chain{{2.0, 0.5, 1.0, 4.0}, {10, 3, 0, 8, 20}}, {0, 1, 0.2, 0, -0.3, 0, 0, -1}}};
    for (const auto& c : cases) {
        typeRun(c.chain, c.start);
        const double start = sum(referenceEnergy(c.chain, c.start).modes);
        std::vector<double> startShares = referenceEnergy(c.chain, c.start).modes;
        for (int f = 0; f < 1000; ++f) {
            advanceFrame();
        }
        const ReferenceEnergy reached = referenceEnergy(c.chain, reachedState());
        const double total = sum(reached.modes);
        const EnergyPanel panel = energyPanelNow();
        EXPECT_NEAR(panel.total, total, 1e-12 * start);
        EXPECT_NEAR(panel.kinetic, reached.kinetic, 1e-12 * start);
        EXPECT_NEAR(panel.potential, reached.potential, 1e-12 * start);
        EXPECT_NEAR(panel.drift, (total - start) / start, 1e-12);
        EXPECT_LT(std::fabs(panel.drift), 0.02);
        ASSERT_EQ(panel.modes, Entries.chain.nfree);
        for (int k = 0; k < Entries.chain.nfree; ++k) {
            EXPECT_NEAR(panel.shares[k], reached.modes[k] / total, 1e-9);
            EXPECT_NEAR(panel.shares[k], startShares[k] / start, 0.02) << "mode " << k + 1;
        }
    }
}

TEST(EnergyPanel, ARunFromRestHasNoDriftToShow) {
    typeRun(uniformChain(3, 1.0, 40.0), {0, 0, 0, 0, 0, 0});
    advanceFrame();
    const EnergyPanel panel = energyPanelNow();
    EXPECT_EQ(panel.total, 0.0);
    EXPECT_TRUE(std::isnan(panel.drift)) << "no energy to drift from";
    for (int k = 0; k < Entries.chain.nfree; ++k) {
        EXPECT_EQ(panel.shares[k], 0.0);
    }
}

} // namespace
