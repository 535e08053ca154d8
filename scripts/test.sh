#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test three times over:
#   1. the build as released (unit and window tests);
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer, which also
#      checks that the program hands back every byte it takes;
#   3. the dialogue fuzzer (clang, libFuzzer) for FUZZ_SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs="$(nproc)"

echo "== released build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRING_CHAIN_WERROR=ON > /dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== sanitizer build (ASan + UBSan)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRING_CHAIN_WERROR=ON \
    -DSPRING_CHAIN_SANITIZE=ON > /dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing the dialogue"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRING_CHAIN_FUZZ=ON \
    -DFUZZ_SECONDS="${FUZZ_SECONDS:-60}" > /dev/null
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -L fuzz
