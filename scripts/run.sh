#!/usr/bin/env bash
# Installs what is missing, builds the simulator and starts it. Arguments go to GLUT
# (for instance -geometry 600x600).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh run
cmake -S . -B build > /dev/null
cmake --build build --target spring-chain -j "$(nproc)"
exec ./build/spring-chain "$@"
