#include <cstdlib>

#include "app/simulation_state.h"
#include "console/console.h"
#include "integration/integration.h"

using namespace SimulationState;

namespace {

// 't' and 'y' multiply their scale by this, 'T' and 'Y' divide by it.
constexpr double ScaleFactor = 0.9;

// A history row holds 501 samples and a sweep runs to 1 / TimeScale, so the time scale must stay
// at or above 1/500; a 't' that would take it below leaves it as it is.
constexpr double SmallestTimeScale = 0.002; // window units per sample

constexpr unsigned char EscapeKey = 27;

} // namespace

void onKeyboard(unsigned char key, int, int) {
    LastKey = static_cast<char>(key);
    switch (key) {
    case 't':
        if (TimeScale * ScaleFactor >= SmallestTimeScale) {
            TimeScale = TimeScale * ScaleFactor;
        }
        onDisplay();
        break;
    case 'T':
        TimeScale = TimeScale / ScaleFactor;
        onDisplay();
        break;
    case 'y':
        for (int i = 0; i < nfree; ++i) {
            AmplitudeScale[i] = AmplitudeScale[i] * ScaleFactor;
        }
        onDisplay();
        break;
    case 'Y':
        for (int i = 0; i < nfree; ++i) {
            AmplitudeScale[i] = AmplitudeScale[i] / ScaleFactor;
        }
        onDisplay();
        break;
    case 's':
        onDisplay();
        break;
    case 'c':
        readCurveCount();
        onDisplay();
        break;
    case 'n':
    case 'm':
    case 'j':
        SimTime = 0.0;
        runDialogue();
        break;
    case EscapeKey:
        std::exit(0);
    default:
        break;
    }
}
