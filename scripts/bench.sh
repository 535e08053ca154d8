#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (Release) and runs them: the modal analysis,
# then one full frame under Xvfb with Mesa's software renderer. Extra arguments go to both
# benchmark programs (for instance --benchmark_filter=uniform).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSPRING_CHAIN_TESTS=OFF \
    -DSPRING_CHAIN_BENCHMARKS=ON > /dev/null
cmake --build build-bench --target modal_bench frame_bench -j "$(nproc)"
./build-bench/bench/modal_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
xvfb-run -a -s "-screen 0 1024x1024x24" ./build-bench/bench/frame_bench \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
