#include "app/energy_view.h"

#include <limits>

#include "modal/modal.h"
#include "model/simulation_state.h"
#include "texts/messages.h"

using SimulationState::Entries;
using SimulationState::Motion;

namespace {

double Shares[MassCapacity]; // fractions, mode 1 first

} // namespace

// A run that starts at rest has no energy to drift from: its drift is not a number.
EnergyPanel energyPanelNow() {
    const ChainEnergy energy = chainEnergy(Entries.chain, Motion.StateVector);
    modeShares(Entries.chain, Entries.modes, Motion.StateVector, Shares);
    const double total = energy.kinetic + energy.potential;
    const double drift = Motion.StartEnergy > 0.0
                             ? (total - Motion.StartEnergy) / Motion.StartEnergy
                             : std::numeric_limits<double>::quiet_NaN();
    return {total, energy.kinetic, energy.potential, drift, Entries.chain.nfree, Shares};
}

void reportEnergy() {
    printEnergyReport(Motion.StartEnergy, Entries.chain.nfree, Entries.modes.omega0,
                      modeSharesNow());
}

const double* modeSharesNow() {
    modeShares(Entries.chain, Entries.modes, Motion.StateVector, Shares);
    return Shares;
}
