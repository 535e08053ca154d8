#include "app/energy_view.h"

#include <limits>

#include "console/console.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

double Shares[MassCapacity]; // fractions, mode 1 first

} // namespace

// A run that starts at rest has no energy to drift from: its drift is not a number.
EnergyPanel energyPanelNow() {
    const ChainEnergy energy = chainEnergy(StateVector);
    modeShares(StateVector, Shares);
    const double total = energy.kinetic + energy.potential;
    const double drift = StartEnergy > 0.0 ? (total - StartEnergy) / StartEnergy
                                           : std::numeric_limits<double>::quiet_NaN();
    return {total, energy.kinetic, energy.potential, drift, nfree, Shares};
}

void reportEnergy() {
    modeShares(StateVector, Shares);
    printEnergyReport(StartEnergy, nfree, omega0, Shares);
}
