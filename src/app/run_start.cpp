#include "app/run_start.h"

#include "app/spectrum_view.h"
#include "integration/motion_record.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

constexpr Point2 ChainLeftEnd = {0.01, 0.0};  // window units
constexpr Point2 ChartLeftEnd = {-0.99, 0.0}; // window units
constexpr double StartTimeScale = 0.005;      // window units per sample
constexpr double StartAmplitudeHeight = 0.5;  // window units for MaxAmplitude

} // namespace

// Every run starts from the initial conditions with the picture at its start values, its energy
// and its records (of the frames, and of the steps for the spectrum) taken at the start; SimTime is
// left to the keys that re-run the dialogue. Every mass's scale is set, drawn or not: the chain and
// the grid use curve 1's also when no curve is drawn, and a curve added later with 'c' starts with
// curve 1's, which 'y' and 'Y' scale alike.
void startRun() {
    const MassSpringChain& chain = Entries.chain;
    const RunStart& start = Entries.start;
    Picture.ChainOrigin = ChainLeftEnd;
    Picture.ChartOrigin = ChartLeftEnd;
    Picture.TimeScale = StartTimeScale;
    for (int c = 0; c < chain.nfree; ++c) {
        Picture.AmplitudeScale[c] = StartAmplitudeHeight / start.MaxAmplitude;
    }
    for (int i = 0; i < chain.nfree; ++i) {
        Motion.StateVector[2 * i] = start.y0[i];
        Motion.StateVector[2 * i + 1] = start.v0[i];
    }
    Picture.HistoryIndex = 0;
    for (int c = 0; c < start.ncurve; ++c) {
        Picture.ResponseHistory[c][0] = Motion.StateVector[2 * c];
    }
    const ChainEnergy energy = chainEnergy(chain, Motion.StateVector);
    Motion.StartEnergy = energy.kinetic + energy.potential;
    startRecord(&Motion.record, chain.nfree, Motion.StateVector);
    startSteps(&Motion.steps, chain.nfree, Motion.StateVector);
    forgetSpectrum();
}
