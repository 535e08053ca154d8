#include "integration/motion_record.h"

#include <algorithm>

#include "integration/integration.h"

namespace {

// The time of a frame is its count times the frame's length, which reads as typed (4, 24), not
// the sum of its steps (3.99999999999996).
void recordRow(RunRecord* record, int row, int masses, const double* state) {
    record->RecordedTime[row] = record->RunFrames * SecondsPerFrame;
    for (int i = 0; i < masses; ++i) {
        record->RecordedDisplacement[row][i] = state[2 * i];
    }
}

void stepRow(StepRecord* steps, int masses, const double* state) {
    for (int i = 0; i < masses; ++i) {
        steps->displacement[steps->newest][i] = state[2 * i];
    }
}

} // namespace

void startRecord(RunRecord* record, int masses, const double* state) {
    record->RunFrames = 0;
    record->RecordNewest = 0;
    record->RecordCount = 1;
    recordRow(record, 0, masses, state);
}

void recordFrame(RunRecord* record, int masses, const double* state) {
    ++record->RunFrames;
    record->RecordNewest = (record->RecordNewest + 1) % HistoryLength;
    record->RecordCount = std::min(record->RecordCount + 1, HistoryLength);
    recordRow(record, record->RecordNewest, masses, state);
}

void startSteps(StepRecord* steps, int masses, const double* state) {
    steps->steps = 0;
    steps->newest = 0;
    steps->count = 1;
    stepRow(steps, masses, state);
}

void recordStep(StepRecord* steps, int masses, const double* state) {
    ++steps->steps;
    steps->newest = (steps->newest + 1) % StepRecordLength;
    steps->count = std::min(steps->count + 1, StepRecordLength);
    stepRow(steps, masses, state);
}

void stepsOfMass(const StepRecord& steps, int mass, int count, double* out) {
    count = std::min(count, steps.count);
    const int oldest = (steps.newest - count + 1 + StepRecordLength) % StepRecordLength;
    for (int k = 0; k < count; ++k) {
        out[k] = steps.displacement[(oldest + k) % StepRecordLength][mass];
    }
}
