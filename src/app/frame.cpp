#include "app/frame.h"

#include <cmath>
#include <cstdio>

#include "app/energy_view.h"
#include "app/mode_view.h"
#include "app/spectrum_view.h"
#include "integration/integration.h"
#include "integration/motion_record.h"
#include "model/simulation_state.h"
#include "render/render.h"
#include "render/window_system.h"
#include "texts/texts.h"

using SimulationState::Entries;
using SimulationState::Motion;
using SimulationState::Picture;

namespace {

// The chart grid: cells of 20 samples by 0.2 MaxAmplitude, 30 on each side of its centre, which
// puts its right edge on the chain's left end.
constexpr int GridCellsPerSide = 30;
constexpr double SamplesPerCell = 20.0;
constexpr double CellAmplitudeFraction = 0.2;

double ChainDisplacement[MassCapacity]; // m, the displacement of each mass in this frame
Point2 GridCentre;                      // window units

// The figures a student who cannot see the window follows the lab by.
FrameDescription frameDescription() {
    const int nfree = Entries.chain.nfree;
    FrameDescription d = {};
    d.seconds = Motion.record.RunFrames * SecondsPerFrame;
    d.masses = nfree;
    d.largestMass = 1;
    d.panelShown = Picture.EnergyPanelShown;
    for (int j = 0; j < nfree; ++j) {
        if (std::fabs(ChainDisplacement[j]) > std::fabs(d.largest)) {
            d.largestMass = j + 1;
            d.largest = ChainDisplacement[j];
        }
    }
    const double* shares = modeSharesNow();
    for (int r = 0; r < nfree; ++r) {
        if (shares[r] > d.share) {
            d.dominantMode = r + 1;
            d.share = shares[r];
        }
    }
    if (d.panelShown) {
        const EnergyPanel panel = energyPanelNow();
        d.energy = panel.total;
        d.drift = panel.drift;
    }
    return d;
}

} // namespace

// The state moves on by one frame; the chart's sweep and the run's record take its sample.
void advanceFrame() {
    const MassSpringChain& chain = Entries.chain;
    const double omegaMax = chain.nfree > 0 ? Entries.modes.omega0[chain.nfree - 1] : 0.0;
    advanceMotion(chain, omegaMax, Motion.StateVector, &Motion.SimTime, &Motion.steps);
    Picture.HistoryIndex = nextHistoryIndex(Picture.HistoryIndex, Picture.TimeScale);
    for (int c = 0; c < Entries.start.ncurve; ++c) {
        Picture.ResponseHistory[c][Picture.HistoryIndex] = Motion.StateVector[2 * c];
    }
    recordFrame(&Motion.record, chain.nfree, Motion.StateVector);
}

void stepFrame() {
    advanceFrame();
    drawFrame();
}

// The grid's horizontal lines: every one, or every `step`-th where they would crowd; the caption
// names the cell that is drawn.
void drawChart(int step) {
    const PictureState& p = Picture;
    drawAxes(&p.ChartOrigin);
    GridCentre = {p.ChainOrigin.x - GridCellsPerSide * SamplesPerCell * p.TimeScale,
                  p.ChartOrigin.y};
    const double cellHeight =
        CellAmplitudeFraction * p.AmplitudeScale[0] * Entries.start.MaxAmplitude;
    drawGrid(&GridCentre, GridCellsPerSide, SamplesPerCell * p.TimeScale, step * cellHeight);
    drawCurves(&p.ChartOrigin, p.TimeScale, p.AmplitudeScale, Entries.start.ncurve, p.HistoryIndex,
               &p.ResponseHistory[0][0], HistoryLength);
}

// The left half: the chart with its captions, or in its place the modes as a figure ('v') or the
// spectrum of the motion ('w'). The chart's history goes on meanwhile, and the next frame's springs
// get the width the chart would have left them, so that the chart comes back as it would have been.
int drawLeftHalf() {
    const PictureState& p = Picture;
    if (p.ModeFigureShown || p.SpectrumShown) {
        if (p.ModeFigureShown) {
            drawModesView();
        } else {
            drawSpectrumView();
        }
        leaveChartsLineWidth(Entries.start.ncurve);
        return 0;
    }
    const int step =
        gridLineStep(CellAmplitudeFraction * p.AmplitudeScale[0] * Entries.start.MaxAmplitude);
    // One cell is 20 samples of one frame each, StepsPerFrame x TimeStep = 0.04 s apiece: 0.8 s;
    // its height the fraction of the reference amplitude that the drawn lines stand apart.
    const double fraction = CellAmplitudeFraction * step;
    char gridCaption[96];
    const int length =
        std::snprintf(gridCaption, sizeof gridCaption, text(Text::GridCaption), fraction);
    std::snprintf(gridCaption + length, sizeof gridCaption - length,
                  text(Text::GridCaptionInMetres), fraction * Entries.start.MaxAmplitude);
    if (!captionFits(gridCaption)) {
        gridCaption[length] = '\0';
    }
    drawCaptions(text(Text::ColourCaption), gridCaption);
    drawChart(step);
    return Entries.start.ncurve;
}

// The chain, then the left half, then the masses' numbers over them, and the energy panel last:
// what is drawn later covers what was drawn before, and the time axis runs across the chain's rest
// line.
void drawFrame() {
    const MassSpringChain& chain = Entries.chain;
    const PictureState& p = Picture;
    const int nfree = chain.nfree;
    beginFrame();
    for (int j = 0; j < nfree; ++j) {
        ChainDisplacement[j] = Motion.StateVector[2 * j];
    }
    drawChain(&p.ChainOrigin, p.AmplitudeScale[0], nfree, ChainDisplacement, chain.K);
    const int curvesLabelled = drawLeftHalf();

    const ChainPicture chainPicture = {p.ChainOrigin, p.AmplitudeScale[0], nfree, ChainDisplacement,
                                       chain.K};
    const MassLabels labels = {chainPicture,
                               p.ChartOrigin,
                               p.TimeScale,
                               p.AmplitudeScale,
                               curvesLabelled,
                               p.HistoryIndex,
                               &p.ResponseHistory[0][0],
                               HistoryLength};
    drawMassLabels(&labels);
    if (p.EnergyPanelShown) {
        const EnergyPanel panel = energyPanelNow();
        drawEnergyPanel(&panel, &chainPicture);
    }
    endFrame();
    describeFrame(frameDescription());
}
