#include <algorithm>
#include <cmath>

#include "integration/integration.h"
#include "integration/motion_record.h"
#include "integration/rkg_step.h"

namespace {

// Steps whose omega h stays at or below this are taken whole: Runge-Kutta-Gill is then accurate
// enough and every trajectory keeps its arithmetic.
constexpr double PlainStepLimit = 0.25;

// Runge-Kutta-Gill takes (omega h)^6 / 72 of a harmonic mode's energy per step, that is
// (omega h)^5 / 72 per radian of its phase. Sub-steps are made short enough that the stiffest
// mode loses at most EnergyDriftBudget of its energy over DriftHorizon (1000 frames); the method
// itself turns unstable near omega h = 2.8. The budget is half of the 1e-4 promised: the decimal
// Gill constants and the rounding of the map take a little more than the formula says.
constexpr double EnergyDriftBudget = 5e-5; // relative
constexpr double DriftHorizon = 40.0;      // s
constexpr double LossPerPhaseFactor = 72.0;

// The copy of the state that each step starts from.
double StepInput[StateCapacity];

// The chain is linear, so N sub-steps of one step are one linear map of the state: the
// Runge-Kutta-Gill step R(h / N) is read off column by column from unit states, and R(h / N)^N
// follows by log2 N squarings. It is built once per chain; a frame is then four products of a
// matrix and the state, whatever N is.
struct StepMap {
    int components = 0;
    int parts = 0;
    double step = 0.0;                           // s
    double m[MassCapacity] = {};                 // kg, of the chain it was built for
    double K[MassCapacity] = {};                 // N/m
    double matrix[StateCapacity][StateCapacity]; // state after one step, per unit state before
};

StepMap Map;

bool mapFitsChain(const MassSpringChain& chain, int parts) {
    const int n = chain.nfree;
    if (Map.parts != parts || Map.components != 2 * n || Map.step != TimeStep) {
        return false;
    }
    return std::equal(chain.m, chain.m + n, Map.m) && std::equal(chain.K, chain.K + n + 1, Map.K);
}

void squareMap(int n) {
    static double product[StateCapacity][StateCapacity];
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            double sum = 0.0;
            for (int k = 0; k < n; ++k) {
                sum += Map.matrix[i][k] * Map.matrix[k][j];
            }
            product[i][j] = sum;
        }
    }
    for (int i = 0; i < n; ++i) {
        std::copy(product[i], product[i] + n, Map.matrix[i]);
    }
}

// parts is a power of two.
void buildMap(const MassSpringChain& chain, int parts) {
    const int n = 2 * chain.nfree;
    const double h = TimeStep / parts;
    double unit[StateCapacity] = {};
    double column[StateCapacity];
    for (int j = 0; j < n; ++j) {
        unit[j] = 1.0;
        rkgStep(chain, 0.0, h, unit, column, n);
        unit[j] = 0.0;
        for (int i = 0; i < n; ++i) {
            Map.matrix[i][j] = column[i];
        }
    }
    for (int power = 1; power < parts; power *= 2) {
        squareMap(n);
    }
    Map.components = n;
    Map.parts = parts;
    Map.step = TimeStep;
    std::copy(chain.m, chain.m + chain.nfree, Map.m);
    std::copy(chain.K, chain.K + chain.nfree + 1, Map.K);
}

void applyMap(const double* y, double* out) {
    for (int i = 0; i < Map.components; ++i) {
        double sum = 0.0;
        for (int j = 0; j < Map.components; ++j) {
            sum += Map.matrix[i][j] * y[j];
        }
        out[i] = sum;
    }
}

} // namespace

int subStepsPerStep(double omegaMax, double h) {
    const double angle = omegaMax * h;
    if (!(angle > PlainStepLimit)) {
        return 1;
    }
    const double driftAngle =
        std::pow(LossPerPhaseFactor * EnergyDriftBudget / (omegaMax * DriftHorizon), 0.2);
    const double needed = std::ceil(angle / std::min(PlainStepLimit, driftAngle));
    int parts = 2;
    while (parts < needed && parts < MaxSubSteps) {
        parts *= 2;
    }
    return parts;
}

void advanceMotion(const MassSpringChain& chain, double omegaMax, double* state, double* simTime,
                   StepRecord* steps) {
    const int n = 2 * chain.nfree;
    const int parts = subStepsPerStep(omegaMax, TimeStep);
    if (parts > 1 && !mapFitsChain(chain, parts)) {
        buildMap(chain, parts);
    }
    for (int step = 0; step < StepsPerFrame; ++step) {
        std::copy(state, state + n, StepInput);
        if (parts == 1) {
            rkgStep(chain, *simTime, TimeStep, StepInput, state, n);
        } else {
            applyMap(StepInput, state);
        }
        *simTime += TimeStep;
        recordStep(steps, chain.nfree, state);
    }
}

// The row's length bounds the index whatever the time scale holds.
int nextHistoryIndex(int index, double timeScale) {
    const int next = index + 1;
    if (!(next <= 1.0 / timeScale) || next >= HistoryLength) {
        return 0;
    }
    return next;
}
