#!/usr/bin/env bash
# Checks the formatting, builds both trees and runs every test: the core's
# unit tests natively, a few seconds of each fuzz target, then all
# Windows-side tests (the core's again included) under Wine, then packs the
# installer and the portable zip and tests them (scripts/dist.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== Format =="
bash scripts/check-format.sh

bash scripts/build.sh

echo "== Native tests =="
ctest --test-dir build/native --output-on-failure -j "${JOBS:-$(nproc)}"

echo "== Fuzz targets (a few seconds each) =="
FUZZ_SECONDS=${FUZZ_SECONDS:-3} bash scripts/fuzz.sh

echo "== Windows tests under Wine =="
# One Wine session (prefix, display, server) for the whole ctest run. Tests
# that drive dialogs share the display, so they run one at a time.
VARNHOLT_SESSION_HOLDER=$PWD/build/win/tests/support/wine_session_holder.exe \
    tools/wine-env ctest --test-dir build/win --output-on-failure

echo "== Packages for Windows users =="
# From the tree just built (build/win), into build/dist/.
DIST_BUILD_DIR=build/win bash scripts/dist.sh --no-build
