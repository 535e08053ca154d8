#include <algorithm>
#include <cmath>

#include "app/simulation_state.h"
#include "integration/integration.h"

using namespace SimulationState;

namespace {

// Steps whose omega h stays at or below this are taken whole: Runge-Kutta-Gill is then accurate
// enough and every trajectory keeps its arithmetic.
constexpr double PlainStepLimit = 0.25;

// Runge-Kutta-Gill takes (omega h)^6 / 72 of a harmonic mode's energy per step, that is
// (omega h)^5 / 72 per radian of its phase. Sub-steps are made short enough that the stiffest
// mode loses at most EnergyDriftBudget of its energy over DriftHorizon (1000 frames); the method
// itself turns unstable near omega h = 2.8.
constexpr double EnergyDriftBudget = 0.01; // relative
constexpr double DriftHorizon = 40.0;      // s
constexpr double LossPerPhaseFactor = 72.0;

// The copy of the state that each step starts from.
double StepInput[StateCapacity];

} // namespace

int subStepsPerStep(double omegaMax, double h) {
    const double angle = omegaMax * h;
    if (!(angle > PlainStepLimit)) {
        return 1;
    }
    const double driftAngle =
        std::pow(LossPerPhaseFactor * EnergyDriftBudget / (omegaMax * DriftHorizon), 0.2);
    return static_cast<int>(std::ceil(angle / std::min(PlainStepLimit, driftAngle)));
}

void advanceMotion() {
    const int n = 2 * nfree;
    const int parts = nfree > 0 ? subStepsPerStep(omega0[nfree - 1], TimeStep) : 1;
    for (int step = 0; step < StepsPerFrame; ++step) {
        std::copy(StateVector, StateVector + n, StepInput);
        if (parts == 1) {
            rkgStep(SimTime, TimeStep, StepInput, StateVector, n);
        } else {
            const double h = TimeStep / parts;
            rkgStep(SimTime, h, StepInput, StateVector, n);
            for (int part = 1; part < parts; ++part) {
                rkgStep(SimTime + part * h, h, StateVector, StateVector, n);
            }
        }
        SimTime += TimeStep;
    }
}

// The index returns to 0 once it passes 1 / TimeScale, and also when that quotient is not a
// number; the row's length bounds it whatever TimeScale holds.
void recordHistorySample() {
    HistoryIndex += 1;
    if (!(HistoryIndex <= 1.0 / TimeScale) || HistoryIndex >= HistoryLength) {
        HistoryIndex = 0;
    }
    for (int c = 0; c < ncurve; ++c) {
        ResponseHistory[c][HistoryIndex] = StateVector[2 * c];
    }
}
