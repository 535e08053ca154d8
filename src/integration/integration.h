// Time integration of the chain held in the shared state: the equations of motion in first-order
// form, one Runge-Kutta-Gill step, and the frame driver that advances the motion one frame at a
// time and records the response history.
#pragma once

// dy[i]/dt for component i of a state vector y (displacements and velocities interleaved): the
// velocity of mass i/2 for even i, its acceleration for odd i. t is accepted and not used: the
// chain is autonomous.
double stateDerivative(int i, double t, const double* y);

// Advances the n components of y from t to t + h by one Runge-Kutta-Gill step into yout, which
// may be y itself.
void rkgStep(double t, double h, const double* y, double* yout, int n);

// The number of equal parts each step of width h is split into, so that a chain whose stiffest
// mode has circular frequency omegaMax (rad/s) neither blows up nor visibly loses energy.
int subStepsPerStep(double omegaMax, double h);

// One frame of motion: StepsPerFrame steps of TimeStep, each split as subStepsPerStep says.
void advanceMotion();

// Moves HistoryIndex on by one (back to 0 after a full sweep) and records the newest displacement
// of each drawn curve there.
void recordHistorySample();

// The display callback: one frame of motion, then the chain, the captions and the chart.
void onDisplay();
