// The steps of the integration (internal to it, and open to its tests): the equations of motion
// in first-order form, one Runge-Kutta-Gill step, and how finely a stiff chain's step is split.
#pragma once

#include "model/records.h"

// dy[i]/dt for component i of a state vector y of the chain (displacements and velocities
// interleaved): the velocity of mass i/2 for even i, its acceleration for odd i. t is accepted and
// not used: the chain is autonomous.
double stateDerivative(const MassSpringChain& chain, int i, double t, const double* y);

// Advances the n components of y from t to t + h by one Runge-Kutta-Gill step of the chain's
// equations of motion into yout, which may be y itself.
void rkgStep(const MassSpringChain& chain, double t, double h, const double* y, double* yout,
             int n);

// The number of equal parts each step of width h is split into, so that a chain whose stiffest
// mode has circular frequency omegaMax (rad/s) neither blows up nor loses more than 1e-4 of its
// energy over 1000 frames: 1, or a power of two up to MaxSubSteps.
constexpr int MaxSubSteps = 1 << 20;
int subStepsPerStep(double omegaMax, double h);
