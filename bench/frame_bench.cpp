// One frame at its heaviest: 20 masses, 20 curves, a full sweep of 500 segments each, under a
// real GL context (run it under Xvfb for Mesa's software renderer). Each iteration is four
// integration steps, all the drawing and glFinish; once more with the energy panel shown.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cmath>

#include "app/frame.h"
#include "bench_chains.h"
#include "integration/integration.h"
#include "integration/motion_record.h"
#include "modal/modal.h"
#include "model/simulation_state.h"
#include "render/render.h"

using namespace SimulationState;

namespace {

void setUpFullSweep() {
    loadUniformChain(20, 1.0);
    SearchNaturalFrequencies();
    Entries.start.ncurve = 20;
    Picture.TimeScale = 0.002; // 501 samples per sweep
    Entries.start.MaxAmplitude = 1.0;
    Picture.ChainOrigin = {0.01, 0.0};
    Picture.ChartOrigin = {-0.99, 0.0};
    for (int c = 0; c < Entries.start.ncurve; ++c) {
        Picture.AmplitudeScale[c] = 0.5;
        for (int k = 0; k < HistoryLength; ++k) {
            Picture.ResponseHistory[c][k] = 0.8 * std::sin(0.05 * k + 0.3 * c);
        }
    }
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        Motion.StateVector[2 * i] = 0.5 * std::sin(0.4 * i);
        Motion.StateVector[2 * i + 1] = 0.0;
    }
}

// The same frame with the energy panel shown: its numbers, its twenty bars and four more lines of
// text. Compared with fullFrame, what the panel adds.
void fullFrameWithPanel(benchmark::State& state) {
    setUpFullSweep();
    ComputeModeShapes();
    Motion.StartEnergy = 1.0;
    Picture.EnergyPanelShown = true;
    for (auto _ : state) {
        Picture.HistoryIndex = 499;
        stepFrame();
        glFinish();
    }
    Picture.EnergyPanelShown = false;
}

// While playing with the spectrum shown: every frame the step record grows, and the spectrum of
// 20 curves over its 4096 steps is transformed again; the chart's curves are not drawn meanwhile.
void fullFrameWithSpectrum(benchmark::State& state) {
    setUpFullSweep();
    ComputeModeShapes();
    startSteps(&Motion.steps, Entries.chain.nfree, Motion.StateVector);
    for (int frame = 0; frame < StepRecordLength / StepsPerFrame; ++frame) {
        advanceFrame();
    }
    Picture.SpectrumShown = true;
    for (auto _ : state) {
        stepFrame();
        glFinish();
    }
    Picture.SpectrumShown = false;
}

// The modes as a figure: twenty rows of twenty discs and the dispersion under them.
void fullFrameWithModes(benchmark::State& state) {
    setUpFullSweep();
    ComputeModeShapes();
    Picture.ModeFigureShown = true;
    for (auto _ : state) {
        stepFrame();
        glFinish();
    }
    Picture.ModeFigureShown = false;
}

void fullFrame(benchmark::State& state) {
    setUpFullSweep();
    for (auto _ : state) {
        Picture.HistoryIndex = 499; // this frame records sample 500 and draws all 500 segments
        stepFrame();
        glFinish();
    }
}

// The stiffest chain the dialogue takes: 1 g masses on 1e6 N/m springs, whose steps are split
// into thousands of sub-steps.
void stiffFrame(benchmark::State& state) {
    setUpFullSweep();
    for (int i = 0; i < Entries.chain.nfree; ++i) {
        Entries.chain.m[i] = 0.001;
        Entries.chain.K[i] = 1e6;
    }
    Entries.chain.K[Entries.chain.nfree] = 1e6;
    SearchNaturalFrequencies();
    for (auto _ : state) {
        Picture.HistoryIndex = 499;
        stepFrame();
        glFinish();
    }
}

} // namespace

BENCHMARK(stiffFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(fullFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(fullFrameWithPanel)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(fullFrameWithSpectrum)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(fullFrameWithModes)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
