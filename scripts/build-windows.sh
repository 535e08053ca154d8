#!/usr/bin/env bash
# Cross-builds spring-chain for 64-bit Windows on Debian and writes
# dist/spring-chain-windows-x64.zip: spring-chain.exe (freeglut and the C++ runtime linked in, so
# it needs only Windows' own DLLs), the examples and a README for Windows users.
# freeglut for mingw is not packaged by Debian: it is built from the upstream tarball of Debian's
# own source package, fetched through a private source list, so the machine's apt sources are
# never edited.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build-windows"

./scripts/setup.sh windows

# freeglut, once: Debian's source package of this release, built static for mingw.
prefix="$out/freeglut"
if [ ! -f "$prefix/lib/libfreeglut_static.a" ]; then
    . /etc/os-release
    apt_dir="$out/apt"
    mkdir -p "$apt_dir/lists/partial" "$out/src"
    echo "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" > "$apt_dir/sources.list"
    apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
        -o "Dir::State::Lists=$apt_dir/lists" -o "APT::Sandbox::User=root")
    apt-get "${apt_options[@]}" update -qq
    # The upstream tarball of Debian's source package is all the build needs (Debian's patches
    # concern its own shared library); a mirror that lacks this release's .dsc still serves it.
    (cd "$out/src" && rm -rf freeglut* &&
        { apt-get "${apt_options[@]}" source --download-only freeglut || true; } &&
        mkdir freeglut && tar -xf freeglut_*.orig.tar.* -C freeglut --strip-components=1)
    cmake -S "$out/src/freeglut" -B "$out/freeglut-build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/scripts/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DFREEGLUT_BUILD_STATIC_LIBS=ON \
        -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_GLES=OFF > /dev/null
    cmake --build "$out/freeglut-build" -j "$(nproc)" --target install > /dev/null
fi

cmake -S . -B "$out/program" -DCMAKE_TOOLCHAIN_FILE="$root/scripts/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" -DSPRING_CHAIN_TESTS=OFF \
    -DSPRING_CHAIN_WERROR=ON > /dev/null
cmake --build "$out/program" -j "$(nproc)" --target spring-chain

stage="$out/zip/spring-chain"
rm -rf "$out/zip"
mkdir -p "$stage/examples" "$root/dist"
cp "$out/program/spring-chain.exe" "$stage/"
cp examples/*.txt "$stage/examples/"
cp docs/README-windows.txt "$stage/README.txt"
cp docs/guide.ja.md docs/guide.en.md docs/energy-panel.png LICENSE "$stage/"
rm -f "$root/dist/spring-chain-windows-x64.zip"
(cd "$out/zip" && zip -q -r "$root/dist/spring-chain-windows-x64.zip" spring-chain)
echo "wrote dist/spring-chain-windows-x64.zip"
