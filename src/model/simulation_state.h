// The shared model of the simulator: the chain, its modal results, the initial conditions, the
// moving state and the scales and positions of the picture. Every layer above reads and writes
// these fields by name; index 0 always stands for mass 1, spring 1 or mode 1.
#pragma once

// A point in window units: x from -1 (left edge) to +1 (right edge), y from -1 (bottom) to +1.
struct Point2 {
    double x;
    double y;
};

namespace SimulationState {

constexpr int MaxDegreesOfFreedom = 20; // masses the dialogue accepts
constexpr int MassCapacity = 21;        // per-mass arrays; the springs need nfree + 1 entries
constexpr int StateCapacity = 42;       // two components (displacement, velocity) per mass
constexpr int HistoryLength = 501;      // samples per response-history row

// The chain: spring 1 - mass 1 - spring 2 - ... - mass n - spring n+1, both ends on walls.
extern int nfree;              // number of masses, 1 ... MaxDegreesOfFreedom
extern double m[MassCapacity]; // kg
extern double
    K[MassCapacity]; // N/m; K[0] ties mass 1 to the left wall, K[nfree] mass n to the right

// Modal results, computed once per model entry.
extern double omega0[MassCapacity];                  // rad/s, ascending, to the search's digits
extern double PolishedOmega[MassCapacity];           // rad/s, the same polished to full precision
extern double ModeShape[MassCapacity][MassCapacity]; // row k: mode k+1, amplitude of mass 1 is 1
extern double ModeMaxAmplitude[MassCapacity];        // largest |component| of each row, >= 1

// Initial conditions.
extern double y0[MassCapacity]; // m
extern double v0[MassCapacity]; // m/s

// Motion.
extern double
    StateVector[StateCapacity]; // [2i] displacement (m), [2i+1] velocity (m/s) of mass i+1
extern double SimTime;          // s since the start of the run
extern double StartEnergy;      // J, the chain's energy at the start of the run

// The run's record for the report: the time (s) and every mass's displacement (m) of the last
// HistoryLength frames, the run's start included while it fits. RecordCount rows are held, in a
// ring whose newest row is RecordNewest; RunFrames frames have passed since the run's start.
extern double RecordedTime[HistoryLength];
extern int RunFrames;
extern double RecordedDisplacement[HistoryLength][MassCapacity];
extern int RecordCount;
extern int RecordNewest;

// Picture.
extern int ncurve;                                          // curves drawn: masses 1 ... ncurve
extern double ResponseHistory[MassCapacity][HistoryLength]; // m, one sample per frame
extern int HistoryIndex;                                    // slot of the newest sample
extern double TimeScale;                    // window units per sample along the time axis
extern double AmplitudeScale[MassCapacity]; // window units per metre, one per curve
extern double MaxAmplitude;                 // m, reference amplitude of the run
extern Point2 ChainOrigin;                  // left fixed end of the drawn chain
extern Point2 ChartOrigin;                  // left end of the chart's time axis
extern bool EnergyPanelShown;               // the energy panel, switched with 'e'

// The last key pressed in the window; decides where the console dialogue starts.
extern char LastKey;

} // namespace SimulationState
