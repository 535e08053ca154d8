#!/usr/bin/env bash
# Runs the window tests of the sanitizer build ROUNDS times (default 5) while every core also
# runs a busy loop, and reports how many tests failed. The window tests wait for what the program
# has drawn, never for the picture to look still, so the count must be 0 however loaded the
# machine is.
#   stress-tests.sh [ROUNDS]
set -uo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-5}"
./scripts/setup.sh test || exit 1
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRING_CHAIN_WERROR=ON \
    -DSPRING_CHAIN_SANITIZE=ON > /dev/null || exit 1
cmake --build build-asan -j "$(nproc)" || exit 1

load=()
stop_load() {
    if [ ${#load[@]} -gt 0 ]; then
        kill "${load[@]}" 2> /dev/null
        wait "${load[@]}" 2> /dev/null
    fi
}
trap stop_load EXIT
for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    load+=("$!")
done

failures=0
total=0
log="build-asan/stress-tests.log"
: > "$log"
for round in $(seq "$rounds"); do
    if ctest --test-dir build-asan -L window -j "$(nproc)" --output-on-failure >> "$log" 2>&1; then
        result="passed"
    else
        result="failed"
    fi
    count=$(grep -c ' Test *#' "$log")
    failed_now=$(grep -cE ' Test *#.*\*\*\*(Failed|Timeout|Exception)' "$log")
    echo "round $round of $rounds: $result ($failed_now failures so far in $count tests)"
done
total=$(grep -c ' Test *#' "$log")
failures=$(grep -cE ' Test *#.*\*\*\*(Failed|Timeout|Exception)' "$log")
grep -E ' Test *#.*\*\*\*(Failed|Timeout|Exception)' "$log" | sed 's/^/  /'
echo "$failures failed of $total window tests run in $rounds rounds under load (log: $log)"
[ "$failures" -eq 0 ]
