#!/usr/bin/env bash
# The kill test (tests/kill) with many more kills than `make test` gives it:
# a writer killed at random moments while it writes the settings file or
# copies over a target, every file checked whole after every kill. Then the
# soak (tests/soak) for a simulated day: Varnholt.exe ticked once per
# simulated minute while its folders change, every tick's copies checked and
# its handles and memory followed.
#   STRESS_KILLS       native kills in all, half per write kind (default 20000)
#   STRESS_WINE_KILLS  kills under Wine in all, likewise (default 1000)
#   STRESS_SOAK_TICKS  ticks of the soak (default 1440, a day)
# Builds only the kill test, the program and the soak's driver, in build/native
# and build/win (configured from the presets when they are new;
# STRESS_NATIVE_BUILD_DIR and STRESS_WIN_BUILD_DIR name other trees), and runs
# the Windows side in Wine's prefix build/wineprefix (STRESS_WINEPREFIX).
# Prints each test's figures: the kills, the time, and where the kills landed;
# the soak's ticks, copies and slopes. A kill that finds anything wrong stops
# its test; the folder is kept under kill-evidence/ in the test's build folder
# (tests/kill), with an account of the kill. A soak that finds a fault keeps
# its folder in the prefix's C: drive and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}
kills=${STRESS_KILLS:-20000}
wine_kills=${STRESS_WINE_KILLS:-1000}
soak_ticks=${STRESS_SOAK_TICKS:-1440}
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
cmake --build "$win" -j "$jobs" --target kill_tests kill_writer Varnholt soak_driver >/dev/null

status=0
echo "== Kill test, native: $kills kills =="
(cd "$native/tests/kill" && VARNHOLT_KILLS=$(((kills + 1) / 2)) ./kill_tests) || status=1

echo "== Kill test under Wine: $wine_kills kills =="
(cd "$win/tests/kill" && VARNHOLT_KILLS=$(((wine_kills + 1) / 2)) \
    "$root/tools/wine-env" --prefix "$prefix" "$root/tools/wine-exec" ./kill_tests.exe) || status=1

echo "== Soak under Wine: $soak_ticks ticks =="
"$root/tools/wine-env" --prefix "$prefix" python3 tests/soak/soak.py --ticks "$soak_ticks" \
    --program "$win/app/Varnholt.exe" --driver "$win/tests/soak/soak_driver.exe" \
    --shipped resources || status=1
exit $status
