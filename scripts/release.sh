#!/usr/bin/env bash
# Builds the release set into build/release: the installers (per machine and per user),
# the zip of the DLL and the programs, and the Scrivlog development archives (the
# installed package for Linux and for MinGW-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
version=$(sed -n 's/^project(Tamarack VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$PWD/build/release
rm -rf "$out" && mkdir -p "$out/stage"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target msi zip scrivlog
cp build/windows/tamarack-"$version"-x64{.msi,-user.msi,.zip} "$out"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target scrivlog

linux=scrivlog-$version-linux-x86_64 mingw=scrivlog-$version-mingw-w64-x86_64
cmake --install build/native --prefix "$out/stage/$linux" >/dev/null
cmake --install build/windows --prefix "$out/stage/$mingw" >/dev/null
(cd "$out/stage" && cmake -E tar czf "$out/$linux.tar.gz" "$linux" && cmake -E tar cf "$out/$mingw.zip" --format=zip "$mingw")
rm -rf "$out/stage"
ls -l "$out"
