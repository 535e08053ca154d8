#!/usr/bin/env bash
# Builds the page: the same program compiled to WebAssembly with Debian's Emscripten, written as
# one file, dist/spring-chain.html, that opens by a double-click, from an e-mail or a course's
# learning system, and as dist/web (index.html, index.js, index.wasm: static files for a web
# server, where the WebAssembly compiles while it arrives); nothing is fetched from elsewhere.
# dist/spring-chain-web.zip holds both.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh web
# Debian's emcc runs its JS tools under Debian's node, which finds its modules only here.
export NODE_PATH=/usr/share/nodejs:/usr/lib/nodejs
# KissFFT's two source files, from Debian's source package, compiled into the page.
./scripts/fetch-debian-source.sh kissfft build-web-src
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DSPRING_CHAIN_TESTS=OFF \
    -DKISSFFT_SOURCE_DIR="$PWD/build-web-src/kissfft" > /dev/null
cmake --build build-web --target spring-chain spring-chain-single -j "$(nproc)"
rm -rf dist/web dist/spring-chain.html dist/spring-chain-web.zip
mkdir -p dist/web
cp build-web/index.html build-web/index.js build-web/index.wasm dist/web/
cp build-web/spring-chain.html dist/
(cd dist && zip -qr spring-chain-web.zip spring-chain.html web)
echo "wrote dist/spring-chain.html, dist/web and dist/spring-chain-web.zip"
