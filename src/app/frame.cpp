#include "app/frame.h"

#include "app/energy_view.h"
#include "integration/integration.h"
#include "model/simulation_state.h"
#include "render/render.h"
#include "render/window_system.h"

using namespace SimulationState;

namespace {

// The chart grid: cells of 20 samples by 0.2 MaxAmplitude, 30 on each side of its centre, which
// puts its right edge on the chain's left end.
constexpr int GridCellsPerSide = 30;
constexpr double SamplesPerCell = 20.0;
constexpr double CellAmplitudeFraction = 0.2;

const char* const ColourCaption = "Each curve color corresponds to mass color";
// One cell is 20 samples of one frame each, StepsPerFrame x TimeStep = 0.04 s apiece: 0.8 s.
const char* const GridCaption = "1grid=(0.8s, 0.2*max amplitude)";
constexpr float CaptionX = -0.95f;      // window units
constexpr float ColourCaptionY = 0.90f; // window units
constexpr float GridCaptionY = 0.85f;   // window units

double ChainDisplacement[MassCapacity]; // m, the displacement of each mass in this frame
Point2 GridCentre;                      // window units

} // namespace

void advanceFrame() {
    advanceMotion();
    recordHistorySample();
}

void stepFrame() {
    advanceFrame();
    drawFrame();
}

// The chain, the captions and the chart, then the masses' numbers over them, and the energy panel
// last: what is drawn later covers what was drawn before, and the time axis runs across the
// chain's rest line.
void drawFrame() {
    beginFrame();
    for (int j = 0; j < nfree; ++j) {
        ChainDisplacement[j] = StateVector[2 * j];
    }
    drawChain(&ChainOrigin, AmplitudeScale[0], nfree, ChainDisplacement, K);
    drawText(CaptionX, ColourCaptionY, CaptionFont, ColourCaption);
    drawText(CaptionX, GridCaptionY, CaptionFont, GridCaption);

    drawAxes(&ChartOrigin);
    GridCentre = {ChainOrigin.x - GridCellsPerSide * SamplesPerCell * TimeScale, ChartOrigin.y};
    drawGrid(&GridCentre, GridCellsPerSide, SamplesPerCell * TimeScale,
             CellAmplitudeFraction * AmplitudeScale[0] * MaxAmplitude);
    drawCurves(&ChartOrigin, TimeScale, AmplitudeScale, ncurve, HistoryIndex,
               &ResponseHistory[0][0], HistoryLength);
    const MassLabels labels = {
        ChainOrigin,  AmplitudeScale[0], nfree,  ChainDisplacement, ChartOrigin,
        TimeScale,    AmplitudeScale,    ncurve, HistoryIndex,      &ResponseHistory[0][0],
        HistoryLength};
    drawMassLabels(&labels);
    if (EnergyPanelShown) {
        const EnergyPanel panel = energyPanelNow();
        drawEnergyPanel(&panel);
    }
    endFrame();
    describeFrame(RunFrames * SecondsPerFrame, nfree);
}
