#!/usr/bin/env bash
# Remakes the pictures of docs/: the program in a virtual X server (Xvfb, Mesa's software GL), fed
# examples/six_masses_plucked.txt and played forward with 's': after 150 frames the window as it
# opens and with the energy panel ('e') and the modes as a figure ('v'); after 1000 frames (40 s)
# the spectrum of the motion ('w').
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target screenshot -j "$(nproc)"
mkdir -p docs
./build/tests/screenshot examples/six_masses_plucked.txt 150 docs/screenshot.png
./build/tests/screenshot examples/six_masses_plucked.txt 150 docs/energy-panel.png e
./build/tests/screenshot examples/six_masses_plucked.txt 150 docs/mode-figure.png v
./build/tests/screenshot examples/six_masses_plucked.txt 1000 docs/spectrum.png w
echo "wrote docs/screenshot.png, docs/energy-panel.png, docs/mode-figure.png, docs/spectrum.png"
