#include "model/simulation_state.h"

namespace SimulationState {

int nfree = 0;
double m[MassCapacity] = {};
double K[MassCapacity] = {};

double omega0[MassCapacity] = {};
double PolishedOmega[MassCapacity] = {};
double ModeShape[MassCapacity][MassCapacity] = {};
double ModeMaxAmplitude[MassCapacity] = {};

double y0[MassCapacity] = {};
double v0[MassCapacity] = {};

double StateVector[StateCapacity] = {};
double SimTime = 0.0;
double StartEnergy = 0.0;

double RecordedTime[HistoryLength] = {};
int RunFrames = 0;
double RecordedDisplacement[HistoryLength][MassCapacity] = {};
int RecordCount = 0;
int RecordNewest = 0;

int ncurve = 0;
double ResponseHistory[MassCapacity][HistoryLength] = {};
int HistoryIndex = 0;
double TimeScale = 0.0;
double AmplitudeScale[MassCapacity] = {};
double MaxAmplitude = 0.0;
Point2 ChainOrigin = {0.0, 0.0};
Point2 ChartOrigin = {0.0, 0.0};
bool EnergyPanelShown = false;

char LastKey = 0;

} // namespace SimulationState
