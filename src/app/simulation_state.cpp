#include "app/simulation_state.h"

#include <cstdio>
#include <cstdlib>

namespace SimulationState {

int nfree = 0;
double m[MassCapacity] = {};
double K[MassCapacity] = {};

double omega0[MassCapacity] = {};
double ModeShape[MassCapacity][MassCapacity] = {};
double ModeMaxAmplitude[MassCapacity] = {};
double DynamicMatrix[MassCapacity][MassCapacity] = {};

double y0[MassCapacity] = {};
double v0[MassCapacity] = {};
int SelectedMode = 0;

double StateVector[StateCapacity] = {};
double SimTime = 0.0;
double TimeStep = 0.01; // s
int StepsPerFrame = 4;

int ncurve = 0;
double ResponseHistory[MassCapacity][HistoryLength] = {};
int HistoryIndex = 0;
double TimeScale = 0.0;
double AmplitudeScale[MassCapacity] = {};
double MaxAmplitude = 0.0;
Point2 ChainOrigin = {0.0, 0.0};
Point2 ChartOrigin = {0.0, 0.0};

char LastKey = 0;

} // namespace SimulationState

namespace {

[[noreturn]] void exitOnMemoryOverflow() {
    std::fputs("memory overflow\n", stdout);
    std::fflush(stdout);
    std::exit(1);
}

void* takeZeroFilled(std::size_t count, std::size_t size) {
    // calloc may answer a request for nothing with null; one element keeps that from looking like
    // a failure.
    void* scratch = std::calloc(count > 0 ? count : 1, size);
    if (scratch == nullptr) {
        exitOnMemoryOverflow();
    }
    return scratch;
}

} // namespace

double* takeScratch(std::size_t count) {
    return static_cast<double*>(takeZeroFilled(count, sizeof(double)));
}

int* takeIndexScratch(std::size_t count) {
    return static_cast<int*>(takeZeroFilled(count, sizeof(int)));
}

void releaseScratch(void* scratch) {
    std::free(scratch);
}
