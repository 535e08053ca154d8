#include "app/report_view.h"

#include <ctime>
#include <limits>
#include <vector>

#include "app/frame.h"
#include "console/console.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "report/report.h"

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

void saveForReport() {
    captureNextFrame();
    drawFrame();
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    takeCapturedFrame(&width, &height, &rgb);
    const SavedReport saved = saveReport(width, height, rgb.data(), std::time(nullptr));
    if (saved.saved) {
        printSaved(saved.picture.c_str(), saved.history.c_str());
    } else {
        printNotSaved(saved.failedFile.c_str(), saved.reason.c_str());
    }
}
