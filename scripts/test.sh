#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test in six stages:
#   1. the build as released (unit and window tests; the benchmarks are built, not run);
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer, which also
#      checks that the program hands back every byte it takes;
#   3. the dialogue fuzzer (clang, libFuzzer) for FUZZ_SECONDS (default 60);
#   4. the Debian package, built and checked (its files and fields, lintian, the menu entry, the
#      manual page);
#   5. the Windows program, cross-built with mingw-w64 and run under Wine;
#   6. the page, compiled to WebAssembly with Emscripten and run in Chromium and Firefox.
# Every stage runs whatever the stages before it gave; the summary at the end names each stage
# that failed, and the exit status is non-zero if any did.
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test || exit 1
jobs="$(nproc)"
failed=()

# stage NAME BUILD_DIR CTEST_ARGS... -- CMAKE_ARGS...
stage() {
    local name="$1" dir="$2"
    shift 2
    local ctest_args=()
    while [ "$1" != "--" ]; do
        ctest_args+=("$1")
        shift
    done
    shift
    echo "== $name"
    if cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > /dev/null &&
        cmake --build "$dir" -j "$jobs" &&
        ctest --test-dir "$dir" --output-on-failure -j "$jobs" "${ctest_args[@]}"; then
        return 0
    fi
    failed+=("$name")
}

stage "released build" build -- -DSPRING_CHAIN_WERROR=ON -DSPRING_CHAIN_BENCHMARKS=ON
stage "sanitizer build (ASan + UBSan)" build-asan -- -DSPRING_CHAIN_WERROR=ON \
    -DSPRING_CHAIN_SANITIZE=ON
CXX=clang++ stage "fuzzing the dialogue" build-fuzz -L fuzz -- -DSPRING_CHAIN_FUZZ=ON \
    -DFUZZ_SECONDS="${FUZZ_SECONDS:-60}"

echo "== the Debian package"
./scripts/test-deb.sh || failed+=("the Debian package")

echo "== Windows program under Wine"
./scripts/test-windows.sh || failed+=("Windows program under Wine")

echo "== the page in Chromium and Firefox"
./scripts/test-web.sh || failed+=("the page in Chromium and Firefox")

echo
if [ ${#failed[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "all stages passed"
