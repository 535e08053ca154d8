// Time integration of a chain: one frame of motion integrated by Runge-Kutta-Gill, the slots of the
// chart's sweep, and the run's record. Plain functions over what they are handed.
#pragma once

#include "model/records.h"

// The step width of every integration step (s) and the steps that make one frame: a frame is
// 0.04 s of simulated time.
constexpr double TimeStep = 0.01;
constexpr int StepsPerFrame = 4;
constexpr double SecondsPerFrame = StepsPerFrame * TimeStep;

// One frame of motion of the chain: StepsPerFrame steps of TimeStep, the state (laid out as
// StateVector) advanced in place and *simTime with it, each step's displacements recorded in
// `steps`. omegaMax, the chain's stiffest natural frequency (rad/s), says whether a step is split
// (subStepsPerStep); a split step is taken as the linear map of its sub-steps, built once per
// chain, the others as one Runge-Kutta-Gill step each.
void advanceMotion(const MassSpringChain& chain, double omegaMax, double* state, double* simTime,
                   StepRecord* steps);

// The slot of the sweep's sample after the one in `index`: the next, or 0 once that passes
// 1 / timeScale (and whenever that quotient is not a number); always inside a row of
// HistoryLength samples.
int nextHistoryIndex(int index, double timeScale);
