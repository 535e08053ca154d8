#!/usr/bin/env bash
# Tests the page in Debian's Chromium, headless with software WebGL: builds dist/web, and the
# native screenshot tool to compare its picture with, then runs tests/web_test.py, which also
# writes build-web/web-report.txt (load time, size, pace and drawing time).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
./scripts/setup.sh webtest
./scripts/build-web.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target screenshot -j "$(nproc)"
# Debian's python3, which has python3-websocket, whatever else is first on the PATH.
/usr/bin/python3 tests/web_test.py dist/web build/tests/screenshot build-web/web-report.txt
