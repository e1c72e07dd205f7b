#!/usr/bin/env bash
# Configures and builds both trees from the presets in CMakePresets.json:
# build/native (Linux, portable core and its tests) and build/win (mingw-w64:
# Varnholt.exe, Tovrinel.exe and the Windows-side tests).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
