#!/usr/bin/env bash
# Builds the benchmark programs and times the synchronization run under Wine
# against xcopy, a bare folder listing and rsync (see bench/README.md).
#   bash bench/run.sh [--small] [--only many|big|huge] [--keep]
# Environment: BENCH_BUILD_DIR (default build/bench-win), BENCH_DATA_DIR
# (default build/bench-data), BENCH_WINEPREFIX (default build/bench-wineprefix),
# JOBS. Two benchmarks at once need their own data folder and prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD_DIR:-build/bench-win}
data=${BENCH_DATA_DIR:-build/bench-data}
prefix=${BENCH_WINEPREFIX:-build/bench-wineprefix}
jobs=${JOBS:-$(nproc)}

# The build's packages (the cross compiler, Wine, Xvfb...), only those missing,
# as `make build` installs them; then rsync, which only the bench needs.
bash scripts/install-deps.sh
if ! command -v rsync >/dev/null; then
    if [[ $(id -u) -ne 0 ]]; then
        echo "bench: rsync is missing (apt-get install -y --no-install-recommends rsync)" >&2
        exit 1
    fi
    echo "Installing: rsync"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends rsync
fi

echo "bench: building varnholt_bench, varnholt_bench_list and Varnholt in $build"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j "$jobs" --target varnholt_bench varnholt_bench_list Varnholt >/dev/null

df -h build | tail -1 | awk '{print "bench: " $4 " free on " $6}'
mkdir -p "$data"
exec tools/wine-env --prefix "$(realpath -m "$prefix")" \
    python3 bench/bench.py --bin "$build/bench" --program "$build/app/Varnholt.exe" \
    --data "$data" "$@"
