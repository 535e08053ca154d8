#!/usr/bin/env bash
# Installs every Debian package that building, running and testing spring-chain needs, and only
# those that are missing. Uses sudo only when not run as root.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    freeglut3-dev libgl-dev libx11-dev libxtst-dev zlib1g-dev
    libgtest-dev liblapack-dev libbenchmark-dev
    xvfb xauth x11-utils xdotool
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
