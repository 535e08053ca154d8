#!/usr/bin/env bash
# Installs what is missing, builds the simulator and starts it. Arguments go to the program
# (for instance --lang=en, or GLUT's -geometry 600x600). The working folder is left as it was, so
# the files that 'p' saves land where the student started it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" run
cmake -S "$root" -B "$root/build" > /dev/null
cmake --build "$root/build" --target spring-chain -j "$(nproc)"
exec "$root/build/spring-chain" "$@"
