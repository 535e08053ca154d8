#include "app/simulation_state.h"
#include "console/console.h"

using namespace SimulationState;

namespace {

// 't' and 'y' multiply their scale by this, 'T' and 'Y' divide by it.
constexpr double ScaleFactor = 0.9;

// A history row holds 501 samples and a sweep runs to 1 / TimeScale, so the time scale must stay
// at or above 1/500; a 't' that would take it below leaves it as it is.
constexpr double SmallestTimeScale = 0.002; // window units per sample

constexpr unsigned char EscapeKey = 27;

void scaleAmplitudes(double factor, bool divide) {
    for (int i = 0; i < nfree; ++i) {
        AmplitudeScale[i] = divide ? AmplitudeScale[i] / factor : AmplitudeScale[i] * factor;
    }
}

} // namespace

KeyOutcome applyKeyCommand(unsigned char key) {
    LastKey = static_cast<char>(key);
    switch (key) {
    case 't':
        if (TimeScale * ScaleFactor >= SmallestTimeScale) {
            TimeScale = TimeScale * ScaleFactor;
        }
        return KeyOutcome::Redraw;
    case 'T':
        TimeScale = TimeScale / ScaleFactor;
        return KeyOutcome::Redraw;
    case 'y':
        scaleAmplitudes(ScaleFactor, false);
        return KeyOutcome::Redraw;
    case 'Y':
        scaleAmplitudes(ScaleFactor, true);
        return KeyOutcome::Redraw;
    case 's':
        return KeyOutcome::Redraw;
    case 'c':
        readCurveCount();
        return KeyOutcome::Redraw;
    case 'n':
    case 'm':
    case 'j':
        SimTime = 0.0;
        runDialogue();
        return KeyOutcome::Nothing;
    case EscapeKey:
        return KeyOutcome::Quit;
    default:
        return KeyOutcome::Nothing;
    }
}
