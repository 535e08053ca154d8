// What the motion leaves behind: the run's record of frames, for the report, and the record of
// every integration step, for the spectrum. Both are rings of fixed size.
#pragma once

#include "model/records.h"

// The run's record started afresh with the state of `masses` masses at time 0 as its only row;
// and one frame later, its time and every mass's displacement, the oldest row given up once
// HistoryLength are held.
void startRecord(RunRecord* record, int masses, const double* state);
void recordFrame(RunRecord* record, int masses, const double* state);

// The step record started afresh with the state at step 0; and one step later, every mass's
// displacement, the oldest step given up once StepRecordLength are held.
void startSteps(StepRecord* steps, int masses, const double* state);
void recordStep(StepRecord* steps, int masses, const double* state);

// The displacements (m) of mass `mass` at the newest `count` steps held, oldest first.
void stepsOfMass(const StepRecord& steps, int mass, int count, double* out);
