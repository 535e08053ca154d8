#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks (Release) and runs them: the modal analysis,
# one full frame under Xvfb with Mesa's software renderer, play measured on the real program, and
# the page playing in Chromium with its CPU throttled (bench/page_bench.mjs).
# Extra arguments go to the first two benchmark programs (for instance --benchmark_filter=uniform).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh bench
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSPRING_CHAIN_BENCHMARKS=ON > /dev/null
cmake --build build-bench --target modal_bench frame_bench play_rate -j "$(nproc)"
./build-bench/bench/modal_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
xvfb-run -a -s "-screen 0 1024x1024x24" ./build-bench/bench/frame_bench \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
./build-bench/bench/play_rate
# The page, in Chromium with its CPU throttled as a school's cheapest laptop.
./scripts/setup.sh webtest
./scripts/build-web.sh
node bench/page_bench.mjs dist/web
