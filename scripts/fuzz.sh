#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/: libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, clang; the preset "fuzz") in build/fuzz and runs
# each for FUZZ_SECONDS seconds (default 60), one after the other, starting
# from its seeds in fuzz/corpus/<target>/:
#   scripts/fuzz.sh [TARGET...]     all five targets when none is named
# With FUZZ_RUNS set, each target stops after that many executions instead,
# or at FUZZ_SECONDS if that comes first (a long run:
# FUZZ_RUNS=10000000 FUZZ_SECONDS=7200 scripts/fuzz.sh).
# New inputs that reach new code go to build/fuzz/corpus/<target>/ (kept for
# the next run; the seeds in the repository are never written), an input that
# fails to build/fuzz/findings/<target>/, each run's output to
# build/fuzz/logs/<target>.log. Prints per target the executions reached and
# their rate, and exits 1 when a target crashed, had a sanitizer report or
# broke one of its invariants.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-$(nproc)}
build=$root/build/fuzz
all=(settings_file language_file folder_list catalogue_format text_numbers)
targets=("$@")
((${#targets[@]})) || targets=("${all[@]}")
for target in "${targets[@]}"; do
    [[ " ${all[*]} " == *" $target "* ]] || { echo "fuzz: no target $target (${all[*]})" >&2; exit 2; }
done
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "fuzz: FUZZ_SECONDS must be a whole number of seconds" >&2; exit 2; }
max_runs=${FUZZ_RUNS:-}
[[ -z $max_runs || $max_runs =~ ^[1-9][0-9]*$ ]] || { echo "fuzz: FUZZ_RUNS must be a whole number" >&2; exit 2; }

bash scripts/install-deps.sh --fuzz

# The whole tree is configured, but only the fuzz targets and the core
# libraries below them are built: the help file is not, so chmcmd need not be
# there.
configure=()
command -v chmcmd >/dev/null || configure+=(-DVARNHOLT_CHMCMD="$(command -v true)")
cmake --preset fuzz "${configure[@]}" >/dev/null
mkdir -p "$build/logs"
if ! cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}" >"$build/logs/build.log" 2>&1; then
    cat "$build/logs/build.log"
    exit 1
fi

# A quarantine of 32 MB instead of 256 still holds far more than one execution
# frees, so a use after free is still caught, and spares page faults.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
failed=()
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target findings=$build/findings/$target log=$build/logs/$target.log
    mkdir -p "$corpus" "$findings"
    # Inputs up to 1 KiB: a settings file several times over, a section or
    # two of the language file; longer ones only cost time (the shipped
    # language file among the seeds is cut there). A folder list does the
    # same for every character, however long: 256 bytes hold several paths.
    max_len=1024
    [[ $target != folder_list ]] || max_len=256
    status=0
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" ${max_runs:+-runs="$max_runs"} -max_len="$max_len" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    time=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    if ((status != 0)); then
        failed+=("$target")
        echo "fuzz: $target FAILED (exit $status) after ${runs:-?} executions; the report:"
        grep -E -A40 '^==[0-9]+==ERROR|runtime error|invariant broken|deadly signal|uncaught' "$log" |
            head -60 || tail -40 "$log"
        echo "fuzz: the failing input: $(grep -o "Test unit written to .*" "$log" | cut -d' ' -f5-)"
        echo "fuzz: the whole output: $log"
    else
        printf '%-17s %12s executions in %s s, %s per second\n' "$target" "$runs" "$time" "$rate"
    fi
done

if ((${#failed[@]})); then
    echo "fuzz: failed: ${failed[*]} (inputs in $build/findings/; replay one with $build/fuzz/fuzz_<target> <input>)" >&2
    exit 1
fi
