#!/usr/bin/env bash
# The kill test (tests/kill) with many more kills than `make test` gives it:
# a writer killed at random moments while it writes the settings file or
# copies over a target, every file checked whole after every kill.
#   STRESS_KILLS       native kills in all, half per write kind (default 20000)
#   STRESS_WINE_KILLS  kills under Wine in all, likewise (default 1000)
# Builds only the kill test, in build/native and build/win (configured from
# the presets when they are new; STRESS_NATIVE_BUILD_DIR and
# STRESS_WIN_BUILD_DIR name other trees), and runs the Windows one in Wine's
# prefix build/wineprefix (STRESS_WINEPREFIX). Prints each test's figures: the
# kills, the time, and where the kills landed. A kill that finds anything
# wrong stops its test; the folder is kept under kill-evidence/ in the test's
# build folder (tests/kill), with an account of the kill.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}
kills=${STRESS_KILLS:-20000}
wine_kills=${STRESS_WINE_KILLS:-1000}
native=${STRESS_NATIVE_BUILD_DIR:-build/native}
win=${STRESS_WIN_BUILD_DIR:-build/win}
prefix=${STRESS_WINEPREFIX:-build/wineprefix}
[[ $prefix == /* ]] || prefix=$root/$prefix

if [[ ! -f $native/CMakeCache.txt ]]; then
    cmake --preset native -B "$native" >/dev/null
fi
cmake --build "$native" -j "$jobs" --target kill_tests kill_writer >/dev/null
if [[ ! -f $win/CMakeCache.txt ]]; then
    cmake --preset windows -B "$win" >/dev/null
fi
cmake --build "$win" -j "$jobs" --target kill_tests kill_writer >/dev/null

status=0
echo "== Kill test, native: $kills kills =="
(cd "$native/tests/kill" && VARNHOLT_KILLS=$(((kills + 1) / 2)) ./kill_tests) || status=1

echo "== Kill test under Wine: $wine_kills kills =="
(cd "$win/tests/kill" && VARNHOLT_KILLS=$(((wine_kills + 1) / 2)) \
    "$root/tools/wine-env" --prefix "$prefix" "$root/tools/wine-exec" ./kill_tests.exe) || status=1
exit $status
