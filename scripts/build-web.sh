#!/usr/bin/env bash
# Builds the page: the same program compiled to WebAssembly with Debian's Emscripten, written to
# dist/web (index.html, index.js, index.wasm: static files, nothing fetched from elsewhere) and
# packed as dist/spring-chain-web.zip for a course page or any web server.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh web
# Debian's emcc runs its JS tools under Debian's node, which finds its modules only here.
export NODE_PATH=/usr/share/nodejs:/usr/lib/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DSPRING_CHAIN_TESTS=OFF > /dev/null
cmake --build build-web --target spring-chain -j "$(nproc)"
rm -rf dist/web dist/spring-chain-web.zip
mkdir -p dist/web
cp build-web/index.html build-web/index.js build-web/index.wasm dist/web/
(cd dist && zip -qr spring-chain-web.zip web)
echo "wrote dist/web and dist/spring-chain-web.zip"
