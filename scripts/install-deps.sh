#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need, and
# only those that are missing. Needs root (or sudo) when something is missing.
#   --fuzz  the packages of the fuzz targets instead (scripts/fuzz.sh)
set -euo pipefail

packages=(
    cmake make g++              # native build
    libgtest-dev libgmock-dev   # native tests
    googletest                  # GoogleTest sources for the Windows build
    g++-mingw-w64-x86-64-posix  # Windows cross compiler (posix threads)
    binutils-mingw-w64-x86-64   # windres
    wine64                      # runs the program and its tests
    xvfb                        # a display when there is none
    python3                     # checks the shipped language file and the help file
    fp-utils                    # chmcmd: compiles the help file help.chm
    libchm-bin                  # extract_chmLib: the help file's test reads help.chm back
    x11-utils x11-apps imagemagick  # screenshot of the main window (xwininfo, xwd, convert)
    nsis                        # makensis: the installer (make dist)
    clang-format                # the format check of make test
)

# The fuzz targets (fuzz/, scripts/fuzz.sh) only: clang with libFuzzer and the
# sanitizer runtimes, which clang-14 merely recommends.
fuzz_packages=(
    cmake make
    clang                       # clang++ 14
    libclang-rt-14-dev          # libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer
)

case ${1:-} in
    "") ;;
    --fuzz) packages=("${fuzz_packages[@]}") ;;
    *) echo "usage: $0 [--fuzz]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
