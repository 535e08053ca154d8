#include <algorithm>
#include <chrono>
#include <cmath>

#include "app/simulation_state.h"
#include "integration/integration.h"
#include "render/render.h"

using namespace SimulationState;

namespace {

// The chart grid: cells of 20 samples by 0.2 MaxAmplitude, 30 on each side of its centre, which
// puts its right edge on the chain's left end.
constexpr int GridCellsPerSide = 30;
constexpr double SamplesPerCell = 20.0;
constexpr double CellAmplitudeFraction = 0.2;

// One cell is 20 samples of one frame each, StepsPerFrame x TimeStep = 0.04 s apiece: 0.8 s.
const char* const GridCaption = "1grid=(0.8s, 0.2*max amplitude)";

double ChainDisplacement[MassCapacity]; // m, the displacement of each mass in this frame
Point2 GridCentre;                      // window units

// Play: one frame of StepsPerFrame x TimeStep (0.04 s) per 0.04 s of wall time, so simulated time
// runs at real time. Only the last of the frames due at a tick is drawn; a stall longer than
// MaxCatchUpFrames (a suspended machine, a debugger) restarts the clock instead of replaying it
// all at once.
constexpr int MaxCatchUpFrames = 25;

bool Playing = false;
int PlayGeneration = 0;                          // tells a pending tick of an earlier play apart
std::chrono::steady_clock::time_point PlayStart; // wall time of the play's frame 0
long PlayedFrames = 0;                           // frames advanced since PlayStart
bool WindowShown = true;                         // false while minimised or wholly covered

double secondsPerFrame() {
    return StepsPerFrame * TimeStep;
}

double playSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - PlayStart).count();
}

void restartPlayClock() {
    PlayStart = std::chrono::steady_clock::now();
    PlayedFrames = 0;
}

// Milliseconds until the next frame is due, at least 1.
int msToNextFrame() {
    const double wait = (PlayedFrames + 1) * secondsPerFrame() - playSeconds();
    return std::max(1, static_cast<int>(std::ceil(wait * 1000.0)));
}

// Frames whose time has come and that have not been advanced yet.
int framesDue() {
    const long due = static_cast<long>(std::floor(playSeconds() / secondsPerFrame()));
    return static_cast<int>(std::max(0L, due - PlayedFrames));
}

// Motion and history of one frame: StepsPerFrame steps, one sample per curve.
void advanceFrame() {
    advanceMotion();
    recordHistorySample();
}

} // namespace

void togglePlay() {
    if (Playing) {
        stopPlay();
        return;
    }
    Playing = true;
    ++PlayGeneration;
    restartPlayClock();
    schedulePlayTick(msToNextFrame(), PlayGeneration);
}

void stopPlay() {
    Playing = false;
    ++PlayGeneration;
}

// The clock alone decides how far play has come: every frame due is advanced, and the last of
// them drawn, unless nobody can see the window.
void onPlayTick(int generation) {
    if (!Playing || generation != PlayGeneration) {
        return;
    }
    int due = framesDue();
    if (due > MaxCatchUpFrames) {
        restartPlayClock();
        due = 1;
    }
    for (int frame = 0; frame < due; ++frame) {
        advanceFrame();
        ++PlayedFrames;
    }
    if (due > 0 && WindowShown) {
        drawFrame();
    }
    schedulePlayTick(msToNextFrame(), PlayGeneration);
}

void stepFrame() {
    advanceFrame();
    drawFrame();
}

void showWindow(bool shown) {
    WindowShown = shown;
}

// A repaint shows the instant the motion has reached; it never moves it on.
void onDisplay() {
    drawFrame();
}

void drawFrame() {
    beginFrame();
    for (int j = 0; j < nfree; ++j) {
        ChainDisplacement[j] = StateVector[2 * j];
    }
    drawChain(&ChainOrigin, AmplitudeScale[0], nfree, ChainDisplacement, K);
    drawText(-0.95f, 0.90f, CaptionFont, "Each curve color corresponds to mass color");
    drawText(-0.95f, 0.85f, CaptionFont, GridCaption);

    drawAxes(&ChartOrigin, 0.0);
    GridCentre = {ChainOrigin.x - GridCellsPerSide * SamplesPerCell * TimeScale, ChartOrigin.y};
    drawGrid(&GridCentre, 0.0, GridCellsPerSide, SamplesPerCell * TimeScale,
             CellAmplitudeFraction * AmplitudeScale[0] * MaxAmplitude);
    drawCurves(&ChartOrigin, TimeScale, AmplitudeScale, ncurve, HistoryIndex,
               &ResponseHistory[0][0], HistoryLength);
    endFrame();
}
