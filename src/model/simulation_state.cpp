#include "model/simulation_state.h"

namespace SimulationState {

DialogueEntries Entries = {};
MotionState Motion = {};
PictureState Picture = {};
char LastKey = 0;

// Copied from zeroed statics rather than from temporaries: the motion and the picture are far
// larger than a page's stack.
void resetSimulationState() {
    static const DialogueEntries NoEntries = {};
    static const MotionState NoMotion = {};
    static const PictureState NoPicture = {};
    Entries = NoEntries;
    Motion = NoMotion;
    Picture = NoPicture;
    LastKey = 0;
}

} // namespace SimulationState
