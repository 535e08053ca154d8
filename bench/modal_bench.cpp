// The modal analysis (frequency search and mode shapes) of uniform and random chains, of chains
// whose frequencies a double cannot tell apart or whose springs span the whole range, and one
// determinant of a 20 x 20 dynamic matrix.
#include <benchmark/benchmark.h>

#include "bench_chains.h"
#include "modal/chain_spectrum.h"
#include "modal/dynamic_matrix.h"
#include "modal/modal.h"

namespace {

void analyse() {
    SearchNaturalFrequencies();
    ComputeModeShapes();
    benchmark::DoNotOptimize(SimulationState::Entries.modes.ModeShape);
}

// Arguments: masses, log10 of K/m.
void modalAnalysis(benchmark::State& state, bool uniform) {
    const int n = static_cast<int>(state.range(0));
    const double ratio = std::pow(10.0, static_cast<double>(state.range(1)));
    for (auto _ : state) {
        uniform ? loadUniformChain(n, ratio) : loadRandomChain(n, ratio);
        analyse();
    }
}

void uniformChain(benchmark::State& state) {
    modalAnalysis(state, true);
}
void randomChain(benchmark::State& state) {
    modalAnalysis(state, false);
}

// Argument: masses in the repeated piece (20 masses in all).
void closeFrequencies(benchmark::State& state) {
    for (auto _ : state) {
        loadRepeatedChain(static_cast<int>(state.range(0)));
        analyse();
    }
}

void wideRangeSprings(benchmark::State& state) {
    for (auto _ : state) {
        loadWideRangeChain(20);
        analyse();
    }
}

void determinant20(benchmark::State& state) {
    loadRandomChain(20, 100.0);
    for (auto _ : state) {
        AssembleDynamicMatrix(SimulationState::Entries.chain, 57.3);
        benchmark::DoNotOptimize(DeterminantAndInverse(20, &DynamicMatrix[0][0], MassCapacity));
    }
}

void chainDeterminant20(benchmark::State& state) {
    loadRandomChain(20, 100.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(chainDeterminant(SimulationState::Entries.chain, 57.3));
    }
}

void modalArguments(benchmark::internal::Benchmark* b) {
    for (int n : {3, 10, 20}) {
        for (int exponent : {2, 4, 6, 8}) {
            b->Args({n, exponent});
        }
    }
    b->ArgNames({"n", "log10Km"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(uniformChain)->Apply(modalArguments);
BENCHMARK(randomChain)->Apply(modalArguments);
BENCHMARK(closeFrequencies)->DenseRange(1, 5)->ArgName("piece")->Unit(benchmark::kMillisecond);
BENCHMARK(wideRangeSprings)->Unit(benchmark::kMillisecond);
BENCHMARK(determinant20)->Unit(benchmark::kMicrosecond);
BENCHMARK(chainDeterminant20)->Unit(benchmark::kMicrosecond);
