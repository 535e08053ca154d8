#include "app/keys.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/energy_view.h"
#include "app/run_start.h"
#include "console/console.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

// 't' and 'y' multiply their scale by this, 'T' and 'Y' divide by it.
constexpr double ScaleFactor = 0.9;

// A history row holds 501 samples and a sweep runs to 1 / TimeScale, so the time scale must stay
// at or above 1/500; at the other end a sweep of two samples spans the whole chart. A key that
// would take a scale past its bound leaves it as it is, so the opposite key always brings the
// picture back.
constexpr double SmallestTimeScale = 0.002; // window units per sample
constexpr double LargestTimeScale = 1.0;    // window units per sample

// Bounds of the height at which the run's reference amplitude MaxAmplitude is drawn: far beyond
// anything a student needs, and far inside what a double holds.
constexpr double LowestReferenceHeight = 1e-6; // window units
constexpr double HighestReferenceHeight = 1e6; // window units

// 'f' draws the largest displacement the motion can reach this high above the rest line: 160
// pixels in the first window, well inside the chain's half and the chart's.
constexpr double FitHeight = 0.4; // window units

constexpr unsigned char EscapeKey = 27;
constexpr unsigned char SpaceKey = ' ';

void scaleTime(double scaled) {
    if (scaled >= SmallestTimeScale && scaled <= LargestTimeScale) {
        TimeScale = scaled;
    }
}

// Curve 1's scale stands for all: every mass's scale starts equal and the keys move them alike.
void scaleAmplitudes(double factor, bool divide) {
    const double scaled = divide ? AmplitudeScale[0] / factor : AmplitudeScale[0] * factor;
    const double height = scaled * MaxAmplitude;
    if (!(height >= LowestReferenceHeight && height <= HighestReferenceHeight)) {
        return;
    }
    for (int i = 0; i < nfree; ++i) {
        AmplitudeScale[i] = divide ? AmplitudeScale[i] / factor : AmplitudeScale[i] * factor;
    }
}

// What a dialogue may change, kept while a key's question is asked: a question left unanswered
// (its input ended) leaves the run as it was, not a model entered halfway.
struct DialogueEntries {
    int nfree;
    double m[MassCapacity];
    double K[MassCapacity];
    double omega0[MassCapacity];
    double PolishedOmega[MassCapacity];
    double ModeShape[MassCapacity][MassCapacity];
    double ModeMaxAmplitude[MassCapacity];
    int ncurve;
    double y0[MassCapacity];
    double v0[MassCapacity];
    double MaxAmplitude;
};

DialogueEntries Kept;

// Arrays of doubles, of one or two dimensions, whole.
template <class Array> void copyArray(const Array& from, Array& to) {
    std::memcpy(&to, &from, sizeof from);
}

void keepEntries() {
    Kept.nfree = nfree;
    copyArray(m, Kept.m);
    copyArray(K, Kept.K);
    copyArray(omega0, Kept.omega0);
    copyArray(PolishedOmega, Kept.PolishedOmega);
    copyArray(ModeShape, Kept.ModeShape);
    copyArray(ModeMaxAmplitude, Kept.ModeMaxAmplitude);
    Kept.ncurve = ncurve;
    copyArray(SimulationState::y0, Kept.y0);
    copyArray(v0, Kept.v0);
    Kept.MaxAmplitude = MaxAmplitude;
}

void restoreEntries() {
    nfree = Kept.nfree;
    copyArray(Kept.m, m);
    copyArray(Kept.K, K);
    copyArray(Kept.omega0, omega0);
    copyArray(Kept.PolishedOmega, PolishedOmega);
    copyArray(Kept.ModeShape, ModeShape);
    copyArray(Kept.ModeMaxAmplitude, ModeMaxAmplitude);
    ncurve = Kept.ncurve;
    copyArray(Kept.y0, SimulationState::y0);
    copyArray(Kept.v0, v0);
    MaxAmplitude = Kept.MaxAmplitude;
}

// The curve count ('c') or a dialogue from the section the key names ('n', 'm', 'j'), asked where
// the student can answer; where nobody can, or the answer never comes, the run goes on as it was.
// A dialogue that is answered starts a new run.
KeyOutcome askInConsole(unsigned char key) {
    if (!openKeyQuestion(key)) {
        return KeyOutcome::Nothing;
    }
    keepEntries();
    try {
        if (key == 'c') {
            readCurveCount();
        } else {
            runDialogue();
        }
    } catch (const QuestionLeft&) {
        restoreEntries();
        closeKeyQuestion();
        return KeyOutcome::Nothing;
    }
    closeKeyQuestion();
    if (key == 'c') {
        return KeyOutcome::Redraw;
    }
    SimTime = 0.0;
    startRun();
    return KeyOutcome::Nothing;
}

// Every mass's scale alike, as 'y' and 'Y' keep them, so that the grid's caption stays true. A
// chain at rest has nothing to fit.
void fitAmplitudes() {
    double reach[MassCapacity];
    reachableDisplacements(StateVector, reach);
    const double largest = *std::max_element(reach, reach + nfree);
    if (!(largest > 0.0) || !std::isfinite(largest)) {
        return;
    }
    const double height = std::clamp(FitHeight / largest * MaxAmplitude, LowestReferenceHeight,
                                     HighestReferenceHeight);
    for (int i = 0; i < nfree; ++i) {
        AmplitudeScale[i] = height / MaxAmplitude;
    }
}

} // namespace

bool keyAsksInConsole(unsigned char key) {
    return key == 'c' || key == 'n' || key == 'm' || key == 'j';
}

KeyOutcome applyKeyCommand(unsigned char key) {
    LastKey = static_cast<char>(key);
    switch (key) {
    case 't':
        scaleTime(TimeScale * ScaleFactor);
        return KeyOutcome::Redraw;
    case 'T':
        scaleTime(TimeScale / ScaleFactor);
        return KeyOutcome::Redraw;
    case 'y':
        scaleAmplitudes(ScaleFactor, false);
        return KeyOutcome::Redraw;
    case 'Y':
        scaleAmplitudes(ScaleFactor, true);
        return KeyOutcome::Redraw;
    case 's':
        return KeyOutcome::Step;
    case 'c':
    case 'n':
    case 'm':
    case 'j':
        return askInConsole(key);
    case 'e':
        EnergyPanelShown = !EnergyPanelShown;
        if (EnergyPanelShown) {
            reportEnergy();
        }
        return KeyOutcome::Redraw;
    case 'p':
        return KeyOutcome::Save;
    case 'f':
        fitAmplitudes();
        return KeyOutcome::Redraw;
    case EscapeKey:
        return KeyOutcome::Quit;
    case SpaceKey:
        return KeyOutcome::TogglePlay;
    default:
        return KeyOutcome::Nothing;
    }
}
