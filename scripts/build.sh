#!/usr/bin/env bash
# Configures and builds both trees: build/native (Linux, portable core and its
# tests) and build/win (mingw-w64: Varnholt.exe and the Windows-side tests).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j "$jobs"

cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/tools/wine-exec" >/dev/null
cmake --build build/win -j "$jobs"
