// How much the shared model holds: the sizes of its arrays, by which every layer sizes its own.
// Index 0 of a per-mass array always stands for mass 1, spring 1 or mode 1.
#pragma once

constexpr int MaxDegreesOfFreedom = 20; // masses the dialogue accepts
constexpr int MassCapacity = 21;        // per-mass arrays; the springs need nfree + 1 entries
constexpr int StateCapacity = 42;       // two components (displacement, velocity) per mass
constexpr int HistoryLength = 501;      // samples per response-history row, frames of the record
constexpr int StepRecordLength = 4096;  // integration steps of every mass kept for the spectrum
