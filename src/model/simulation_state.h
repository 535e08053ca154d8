// The shared state of the simulator, in a few global records by owner and lifetime: what a
// dialogue enters (the chain, its modes, how the run starts), the motion of the run, and the
// picture of it. The operations that work on the shared state (the dialogue, the two operations of
// the modal analysis, the frame, the keys, the start of a run) read and write these fields by
// name; the numerics and the drawing take what they need as arguments.
#pragma once

#include "model/records.h"

// What one dialogue enters; a key's question that is left keeps them by one assignment.
struct DialogueEntries {
    MassSpringChain chain;
    ModalResults modes;
    RunStart start;
};

// The motion of the run, from the dialogue's end (or 'n', 'm', 'j') on.
struct MotionState {
    double StateVector[StateCapacity]; // [2i] displacement (m), [2i+1] velocity (m/s) of mass i+1
    double SimTime;                    // s since the start of the run
    double StartEnergy;                // J, the chain's energy at the start of the run
    RunRecord record;
    StepRecord steps;
};

// The picture: the chart's sweep, the scales and positions, and what is shown.
struct PictureState {
    double ResponseHistory[MassCapacity][HistoryLength]; // m, one sample per frame
    int HistoryIndex;                                    // slot of the newest sample
    double TimeScale;                    // window units per sample along the time axis
    double AmplitudeScale[MassCapacity]; // window units per metre, one per curve
    Point2 ChainOrigin;                  // left fixed end of the drawn chain
    Point2 ChartOrigin;                  // left end of the chart's time axis
    bool EnergyPanelShown;               // the energy panel, switched with 'e'
    bool ModeFigureShown;                // the modes as a figure instead of the chart ('v')
    bool SpectrumShown;                  // the spectrum of the motion instead of the chart ('w')
};

namespace SimulationState {

extern DialogueEntries Entries;
extern MotionState Motion;
extern PictureState Picture;

// The last key pressed in the window; decides where the console dialogue starts.
extern char LastKey;

// Every record back to its value at start-up (all zero), as a harness that runs the program
// many times in one process needs.
void resetSimulationState();

} // namespace SimulationState
