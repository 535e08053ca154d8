// The records of the shared model as types: what the numerics, the drawing and the report take as
// arguments. The one global instance of each is SimulationState's; nothing here holds a value.
#pragma once

#include "model/capacities.h"

// A point in window units: x from -1 (left edge) to +1 (right edge), y from -1 (bottom) to +1.
struct Point2 {
    double x;
    double y;
};

// The chain: spring 1 - mass 1 - spring 2 - ... - mass n - spring n+1, both ends on walls.
struct MassSpringChain {
    int nfree;              // number of masses, 1 ... MaxDegreesOfFreedom
    double m[MassCapacity]; // kg
    double K[MassCapacity]; // N/m; K[0] ties mass 1 to the left wall, K[nfree] mass n to the right
};

// The chain's natural modes, computed once per model entry.
struct ModalResults {
    double omega0[MassCapacity];                  // rad/s, ascending, to the search's digits
    double PolishedOmega[MassCapacity];           // rad/s, the same polished to full precision
    double ModeShape[MassCapacity][MassCapacity]; // row k: mode k+1, its reference mass at 1
    double ModeMaxAmplitude[MassCapacity];        // largest |component| of each row, >= 1
};

// How the next run starts, and how much of it is drawn.
struct RunStart {
    int ncurve;              // curves drawn: masses 1 ... ncurve
    double y0[MassCapacity]; // m, initial displacements
    double v0[MassCapacity]; // m/s, initial velocities
    double MaxAmplitude;     // m, the run's reference amplitude
};

// The run's record for the report: the time (s) and every mass's displacement (m) of the last
// HistoryLength frames, the run's start included while it fits. RecordCount rows are held, in a
// ring whose newest row is RecordNewest; RunFrames frames have passed since the run's start.
struct RunRecord {
    double RecordedTime[HistoryLength];
    double RecordedDisplacement[HistoryLength][MassCapacity];
    int RecordCount;
    int RecordNewest;
    int RunFrames;
};

// Every mass's displacement (m) after every integration step of the run, the newest
// StepRecordLength of them, in a ring whose newest row is `newest`; the run's start is step 0,
// and the newest row holds step `steps`. A ring of fixed size: it never grows with the run.
struct StepRecord {
    double displacement[StepRecordLength][MassCapacity];
    int count;
    int newest;
    long steps;
};

// The amplitude spectrum of the motion: each drawn mass's displacement over the newest `length`
// integration steps, Hann-windowed and transformed; bin k lies at k * binWidth rad/s.
struct MotionSpectrum {
    int length;               // samples transformed
    double interval;          // s between them
    double firstTime;         // s since the run's start, of the oldest
    double lastTime;          // s, of the newest
    int bins;                 // length / 2 + 1, or none below two samples
    double binWidth;          // rad/s
    int curves;               // masses 1 ... curves
    const double* amplitudes; // m, curve c's bin k at [c * stride + k]
    int stride;
};
