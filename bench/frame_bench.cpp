// One frame at its heaviest: 20 masses, 20 curves, a full sweep of 500 segments each, under a
// real GL context (run it under Xvfb for Mesa's software renderer). Each iteration is four
// integration steps, all the drawing and glFinish; once more with the energy panel shown.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/frame.h"
#include "bench_chains.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "render/render.h"

using namespace SimulationState;

namespace {

void setUpFullSweep() {
    loadUniformChain(20, 1.0);
    SearchNaturalFrequencies();
    ncurve = 20;
    TimeScale = 0.002; // 501 samples per sweep
    MaxAmplitude = 1.0;
    ChainOrigin = {0.01, 0.0};
    ChartOrigin = {-0.99, 0.0};
    for (int c = 0; c < ncurve; ++c) {
        AmplitudeScale[c] = 0.5;
        for (int k = 0; k < HistoryLength; ++k) {
            ResponseHistory[c][k] = 0.8 * std::sin(0.05 * k + 0.3 * c);
        }
    }
    for (int i = 0; i < nfree; ++i) {
        StateVector[2 * i] = 0.5 * std::sin(0.4 * i);
        StateVector[2 * i + 1] = 0.0;
    }
}

// The same frame with the energy panel shown: its numbers, its twenty bars and four more lines of
// text. Compared with fullFrame, what the panel adds.
void fullFrameWithPanel(benchmark::State& state) {
    setUpFullSweep();
    ComputeModeShapes();
    StartEnergy = 1.0;
    EnergyPanelShown = true;
    for (auto _ : state) {
        HistoryIndex = 499;
        stepFrame();
        glFinish();
    }
    EnergyPanelShown = false;
}

void fullFrame(benchmark::State& state) {
    setUpFullSweep();
    for (auto _ : state) {
        HistoryIndex = 499; // this frame records sample 500 and draws all 500 segments
        stepFrame();
        glFinish();
    }
}

// The stiffest chain the dialogue takes: 1 g masses on 1e6 N/m springs, whose steps are split
// into thousands of sub-steps.
void stiffFrame(benchmark::State& state) {
    setUpFullSweep();
    for (int i = 0; i < nfree; ++i) {
        m[i] = 0.001;
        K[i] = 1e6;
    }
    K[nfree] = 1e6;
    SearchNaturalFrequencies();
    for (auto _ : state) {
        HistoryIndex = 499;
        stepFrame();
        glFinish();
    }
}

} // namespace

BENCHMARK(stiffFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(fullFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(fullFrameWithPanel)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    glutInitWindowSize(800, 800);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("frame benchmark");
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    onReshape(800, 800);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
