// Time integration of the chain held in the shared model: one frame of motion, integrated by
// Runge-Kutta-Gill, and its sample of the response history.
#pragma once

// The step width of every integration step (s) and the steps that make one frame: a frame is
// 0.04 s of simulated time.
constexpr double TimeStep = 0.01;
constexpr int StepsPerFrame = 4;
constexpr double SecondsPerFrame = StepsPerFrame * TimeStep;

// One frame of motion: StepsPerFrame steps of TimeStep. A step that subStepsPerStep splits is
// taken as the linear map of its sub-steps, built once per chain; the others are one
// Runge-Kutta-Gill step each.
void advanceMotion();

// Moves HistoryIndex on by one (back to 0 after a full sweep) and records the newest displacement
// of each drawn curve there; the run's record takes the time and every mass's displacement.
void recordHistorySample();

// Starts the run's record afresh with the present state, at time 0, as its only row.
void startRecord();
