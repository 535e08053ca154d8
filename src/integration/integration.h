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
// mode has circular frequency omegaMax (rad/s) neither blows up nor loses more than 1e-4 of its
// energy over 1000 frames: 1, or a power of two up to MaxSubSteps.
constexpr int MaxSubSteps = 1 << 20;
int subStepsPerStep(double omegaMax, double h);

// One frame of motion: StepsPerFrame steps of TimeStep. A step that subStepsPerStep splits is
// taken as the linear map of its sub-steps, built once per chain; the others are one
// Runge-Kutta-Gill step each.
void advanceMotion();

// Moves HistoryIndex on by one (back to 0 after a full sweep) and records the newest displacement
// of each drawn curve there.
void recordHistorySample();

// The display callback: the chain, the captions and the chart at the instant the motion has
// reached. A repaint never moves the motion on; paused, only stepFrame does.
void onDisplay();
void drawFrame();

// One frame of motion ('s'), then drawn.
void stepFrame();

// Play: frames at one per StepsPerFrame x TimeStep of wall time (25 per second), driven by a
// timer of the window's, so simulated time runs at real time. Frames that come due while the
// program was busy, or while the window is not shown, are advanced without being drawn; paused,
// nothing runs.
void togglePlay();
void stopPlay();
// The timer callback; a tick of a play that has since stopped (an older generation) does nothing.
void onPlayTick(int generation);

// Whether anybody can see the window (false while it is minimised or wholly covered).
void showWindow(bool shown);
