#include "app/keys.h"

#include <algorithm>
#include <cmath>

#include "app/energy_view.h"
#include "app/run_start.h"
#include "dialogue/dialogue.h"
#include "dialogue/key_question.h"
#include "dialogue/token_reader.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "texts/messages.h"

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

void scaleTime(double scaled) {
    if (scaled >= SmallestTimeScale && scaled <= LargestTimeScale) {
        Picture.TimeScale = scaled;
    }
}

// Curve 1's scale stands for all: every mass's scale starts equal and the keys move them alike.
void scaleAmplitudes(double factor, bool divide) {
    double* scales = Picture.AmplitudeScale;
    const double scaled = divide ? scales[0] / factor : scales[0] * factor;
    const double height = scaled * Entries.start.MaxAmplitude;
    if (!(height >= LowestReferenceHeight && height <= HighestReferenceHeight)) {
        return;
    }
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        scales[i] = divide ? scales[i] / factor : scales[i] * factor;
    }
}

// The curve count ('c') or a dialogue from the section the key names ('n', 'm', 'j'), asked where
// the student can answer; where nobody can, or the answer never comes, the run goes on as it was:
// a question left unanswered leaves the entries as they were, not a model entered halfway. A
// dialogue that is answered starts a new run.
KeyOutcome askInConsole(unsigned char key) {
    if (!openKeyQuestion(key)) {
        return KeyOutcome::Nothing;
    }
    const DialogueEntries kept = Entries;
    try {
        if (key == 'c') {
            readCurveCount();
        } else {
            runDialogue();
        }
    } catch (const InputEnded&) {
        Entries = kept;
        reportQuestionLeft();
        closeKeyQuestion();
        return KeyOutcome::Nothing;
    }
    closeKeyQuestion();
    if (key == 'c') {
        return KeyOutcome::Redraw;
    }
    Motion.SimTime = 0.0;
    startRun();
    return KeyOutcome::Nothing;
}

// The largest displacement the motion can reach becomes the run's reference amplitude, drawn
// FitHeight from the rest line, so that the grid's cells are 0.2 of it as the caption says;
// every mass's scale alike, as 'y' and 'Y' keep them. A chain at rest has nothing to fit.
void fitAmplitudes() {
    const int nfree = Entries.chain.nfree;
    double reach[MassCapacity];
    reachableDisplacements(Entries.chain, Entries.modes, Motion.StateVector, reach);
    const double largest = *std::max_element(reach, reach + nfree);
    if (!(largest > 0.0) || !std::isfinite(FitHeight / largest)) {
        return;
    }
    Entries.start.MaxAmplitude = largest;
    for (int i = 0; i < nfree; ++i) {
        Picture.AmplitudeScale[i] = FitHeight / largest;
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
        scaleTime(Picture.TimeScale * ScaleFactor);
        return KeyOutcome::Redraw;
    case 'T':
        scaleTime(Picture.TimeScale / ScaleFactor);
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
        Picture.EnergyPanelShown = !Picture.EnergyPanelShown;
        if (Picture.EnergyPanelShown) {
            reportEnergy();
        }
        return KeyOutcome::Redraw;
    case 'p':
        return KeyOutcome::Save;
    case 'f':
        fitAmplitudes();
        return KeyOutcome::Redraw;
    case 'v':
        Picture.ModeFigureShown = !Picture.ModeFigureShown;
        Picture.SpectrumShown = false;
        return KeyOutcome::Redraw;
    case 'w':
        Picture.SpectrumShown = !Picture.SpectrumShown;
        Picture.ModeFigureShown = false;
        return KeyOutcome::Redraw;
    case EscapeKey:
        return KeyOutcome::Quit;
    case SpaceKey:
        return KeyOutcome::TogglePlay;
    default:
        return KeyOutcome::Nothing;
    }
}
