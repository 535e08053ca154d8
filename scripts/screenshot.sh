#!/usr/bin/env bash
# Remakes docs/screenshot.png and docs/energy-panel.png: the program in a virtual X server (Xvfb,
# Mesa's software GL), fed examples/six_masses_plucked.txt and played forward 150 frames with 's';
# for the second, 'e' then shows the energy panel.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target screenshot -j "$(nproc)"
mkdir -p docs
./build/tests/screenshot examples/six_masses_plucked.txt 150 docs/screenshot.png
./build/tests/screenshot examples/six_masses_plucked.txt 150 docs/energy-panel.png e
echo "wrote docs/screenshot.png and docs/energy-panel.png"
