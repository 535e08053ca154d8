#include "app/spectrum_view.h"

#include "analysis/spectrum.h"
#include "integration/integration.h"
#include "integration/motion_record.h"
#include "model/simulation_state.h"
#include "render/render.h"

using SimulationState::Entries;
using SimulationState::Motion;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Bins = StepRecordLength / 2 + 1;

// Fixed arrays, as large as the step record allows: nothing grows with the run.
double Amplitudes[MassCapacity][Bins];
double Samples[StepRecordLength];
MotionSpectrum Spectrum = {};

// What the spectrum in Amplitudes was computed for.
struct Computed {
    int run;
    long steps;
    int count;
    int curves;
    bool operator==(const Computed& o) const {
        return run == o.run && steps == o.steps && count == o.count && curves == o.curves;
    }
};
Computed Held = {-1, -1, -1, -1};
int Run = 0;

} // namespace

void forgetSpectrum() {
    ++Run;
}

// Sample k of the record is step k of the run, at k TimeStep seconds: times read as counted.
const MotionSpectrum& motionSpectrum() {
    const StepRecord& steps = Motion.steps;
    const Computed now = {Run, steps.steps, steps.count, Entries.start.ncurve};
    if (now == Held) {
        return Spectrum;
    }
    const int length = spectrumLength(steps.count, StepRecordLength);
    const int curves = length > 0 ? now.curves : 0;
    for (int c = 0; c < curves; ++c) {
        stepsOfMass(steps, c, length, Samples);
        amplitudeSpectrum(Samples, length, Amplitudes[c]);
    }
    const double binWidth = length > 0 ? 2.0 * Pi / (length * TimeStep) : 0.0;
    Spectrum = {length,
                TimeStep,
                static_cast<double>(steps.steps - length + 1) * TimeStep,
                static_cast<double>(steps.steps) * TimeStep,
                length > 0 ? length / 2 + 1 : 0,
                binWidth,
                curves,
                &Amplitudes[0][0],
                Bins};
    Held = now;
    return Spectrum;
}

void drawSpectrumView() {
    const SpectrumPicture picture = {&motionSpectrum(), Entries.chain.nfree, Entries.modes.omega0,
                                     Pi / TimeStep};
    drawSpectrum(&picture);
}
