#!/usr/bin/env bash
# Tests the page in Debian's Chromium (headless, software WebGL) and its Firefox ESR (under Xvfb):
# builds dist/web, and the native screenshot tool to compare its picture with, then runs
# tests/web/web_test.mjs, the same cases in both browsers, which also writes
# build-web/web-report.txt (load times, size, hostile links).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
./scripts/setup.sh webtest
./scripts/build-web.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target screenshot -j "$(nproc)"
xvfb-run -a -s "-screen 0 1600x1200x24" \
    node tests/web/web_test.mjs dist/web build/tests/screenshot build-web/web-report.txt
