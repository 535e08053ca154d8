#!/usr/bin/env bash
# Cross-builds spring-chain for 64-bit Windows on Debian and writes
# dist/spring-chain-windows-x64.zip: spring-chain.exe (freeglut and the C++ runtime linked in, so
# it needs only Windows' own DLLs), spring-chain-english.bat that starts it in English, the
# examples, the guides and a README for Windows users.
# freeglut and KissFFT for mingw are not packaged by Debian: they are built from the upstream
# tarballs of Debian's own source packages (scripts/fetch-debian-source.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build-windows"

./scripts/setup.sh windows

# freeglut and KissFFT, once: Debian's source packages of this release, freeglut built static for
# mingw, KissFFT's two source files compiled into the program.
./scripts/fetch-debian-source.sh freeglut "$out/src"
./scripts/fetch-debian-source.sh kissfft "$out/src"
prefix="$out/freeglut"
if [ ! -f "$prefix/lib/libfreeglut_static.a" ]; then
    cmake -S "$out/src/freeglut" -B "$out/freeglut-build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/scripts/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DFREEGLUT_BUILD_STATIC_LIBS=ON \
        -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_GLES=OFF > /dev/null
    cmake --build "$out/freeglut-build" -j "$(nproc)" --target install > /dev/null
fi

cmake -S . -B "$out/program" -DCMAKE_TOOLCHAIN_FILE="$root/scripts/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" -DSPRING_CHAIN_TESTS=OFF \
    -DKISSFFT_SOURCE_DIR="$out/src/kissfft" -DSPRING_CHAIN_WERROR=ON > /dev/null
cmake --build "$out/program" -j "$(nproc)" --target spring-chain

stage="$out/zip/spring-chain"
rm -rf "$out/zip"
mkdir -p "$stage/examples" "$root/dist"
cp "$out/program/spring-chain.exe" "$stage/"
cp examples/*.txt "$stage/examples/"
cp docs/README-windows.txt "$stage/README.txt"
cp packaging/spring-chain-english.bat "$stage/"
cp docs/guide.ja.md docs/guide.en.md docs/energy-panel.png docs/mode-figure.png docs/spectrum.png \
    LICENSE "$stage/"
rm -f "$root/dist/spring-chain-windows-x64.zip"
(cd "$out/zip" && zip -q -r "$root/dist/spring-chain-windows-x64.zip" spring-chain)
echo "wrote dist/spring-chain-windows-x64.zip"
