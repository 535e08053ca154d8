#!/usr/bin/env bash
# Builds the Debian package for lab machines, dist/spring-chain_VERSION-1_amd64.deb: the CMake
# install tree (the program, its manual page, the examples and guides, the licence, a menu entry
# and its icon) packed by CPack, with Debian's hardening flags and its dependencies read off the
# program by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh deb
flags() { dpkg-buildflags --get "$1"; }
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DSPRING_CHAIN_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" > /dev/null
cmake --build build-deb -j "$(nproc)"
rm -f build-deb/spring-chain_*.deb
(cd build-deb && cpack -G DEB > /dev/null)
mkdir -p dist
rm -f dist/spring-chain_*.deb
cp build-deb/spring-chain_*.deb dist/
ls dist/spring-chain_*.deb
