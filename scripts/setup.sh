#!/usr/bin/env bash
# Installs the Debian packages that spring-chain needs, and only those that are missing:
#   setup.sh run     building and running the simulator
#   setup.sh test    that, and building every test and benchmark and running the tests (the default)
#   setup.sh bench   the same, to run the benchmarks
#   setup.sh windows cross-building the Windows program
#   setup.sh wine    that, and testing it under Wine
#   setup.sh web     building the page (WebAssembly)
#   setup.sh webtest that, and testing it in Chromium and Firefox (Node.js and the test's
#                    pinned npm packages, tests/web/package-lock.json)
#   setup.sh deb     building the Debian package and checking it (lintian, the menu entry, the
#                    manual page)
# Every name is one that Debian 12 and 13 both have. Uses sudo only when not run as root.
set -euo pipefail

run_packages=(
    g++ cmake make pkg-config
    libglut-dev libgl-dev libx11-dev libgl1-mesa-dri libstb-dev libkissfft-dev
)
# clang and libclang-rt-dev (the runtime of the clang that the release ships) build the fuzzer.
test_packages=(
    libgtest-dev liblapack-dev libmpfr-dev libxtst-dev zlib1g-dev libbenchmark-dev
    xvfb xauth x11-utils locales python3
    clang libclang-rt-dev
)
windows_packages=(g++-mingw-w64-x86-64-posix cmake make zip xz-utils ca-certificates libstb-dev)
wine_packages=(wine wine64 xvfb x11-utils xdotool x11-apps locales python3)
web_packages=(emscripten cmake make zip libstb-dev xz-utils ca-certificates)
webtest_packages=(chromium firefox-esr fonts-ipafont-gothic fonts-liberation nodejs xvfb xauth gzip)
deb_packages=(dpkg-dev file gzip lintian desktop-file-utils mandoc groff-base man-db)

case "${1:-test}" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    bench) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    windows) packages=("${windows_packages[@]}") ;;
    wine) packages=("${windows_packages[@]}" "${wine_packages[@]}") ;;
    web) packages=("${web_packages[@]}") ;;
    webtest) packages=("${web_packages[@]}" "${webtest_packages[@]}") ;;
    deb) packages=("${run_packages[@]}" "${deb_packages[@]}") ;;
    *) echo "usage: $0 [run|test|bench|windows|wine|web|webtest|deb]" >&2; exit 2 ;;
esac

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

# The page's tests drive the browsers with puppeteer-core, from the npm registry, as the lock file
# pins it; npm comes with Debian's nodejs only as a package of its own.
if [ "${1:-test}" = webtest ]; then
    if ! command -v npm > /dev/null; then
        sudo=""
        if [ "$(id -u)" -ne 0 ]; then
            sudo="sudo"
        fi
        $sudo apt-get update -qq
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm
    fi
    web_tests="$(dirname "$0")/../tests/web"
    if ! [ "$web_tests/node_modules/.package-lock.json" -nt "$web_tests/package-lock.json" ]; then
        (cd "$web_tests" && npm ci --no-audit --no-fund --loglevel=error)
    fi
fi
