#!/usr/bin/env bash
# Packs Varnholt for Windows users into build/dist/ and tests both packages
# under Wine (installer/test-installer.sh):
#   Varnholt-<version>-setup.exe     the per-user installer (NSIS)
#   Varnholt-<version>-portable.zip  the program folder as `make run` lays it
#                                    out, to unzip anywhere writable
# The version is the one CMake wrote into the build tree (varnholt_version.h,
# from project() in CMakeLists.txt).
#
# By default both trees are built as for `make run` and the program is taken
# from build/win. DIST_BUILD_DIR names another Windows build tree instead: it
# is configured like build/win when it is new, and only what the packages
# hold (and the test's helper) is built in it. DIST_DIR names another output folder.
#   --no-build  take the tree as it is (scripts/test.sh has just built it)
#   --no-test   pack only
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-$(nproc)}

build=1 test=1
for arg in "$@"; do
    case $arg in
        --no-build) build=0 ;;
        --no-test) test=0 ;;
        *) echo "usage: $0 [--no-build] [--no-test]" >&2; exit 2 ;;
    esac
done

absolute() { [[ $1 == /* ]] && echo "$1" || echo "$root/$1"; }
build_dir=$(absolute "${DIST_BUILD_DIR:-build/win}")
dist_dir=$(absolute "${DIST_DIR:-build/dist}")

if ((build)); then
    if [[ -z ${DIST_BUILD_DIR:-} ]]; then
        bash scripts/build.sh
    else
        if [[ ! -f $build_dir/CMakeCache.txt ]]; then
            cmake --preset windows -B "$build_dir" >/dev/null
        fi
        targets=(Varnholt Tovrinel help_file)
        # The test of the installer's and the uninstaller's pages answers them
        # with these helpers.
        ((test)) && targets+=(install_answerer uninstall_answerer)
        cmake --build "$build_dir" -j "$jobs" --target "${targets[@]}"
    fi
fi

header=$build_dir/varnholt_version.h
[[ -f $header ]] || { echo "dist: $header is missing: is $build_dir a configured Windows build tree?" >&2; exit 1; }
version=$(sed -n 's/^#define VARNHOLT_VERSION "\(.*\)"$/\1/p' "$header")
quad=$(sed -n 's/^#define VARNHOLT_VERSION_QUAD "\(.*\)"$/\1/p' "$header")
[[ -n $version && -n $quad ]] || { echo "dist: no version in $header" >&2; exit 1; }

# The program folder, laid out as scripts/run.sh does (with the shipped
# config.ini), staged beside the packages and removed afterwards.
mkdir -p "$dist_dir"
stage=$(mktemp -d "$dist_dir/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cp "$build_dir/app/Varnholt.exe" "$build_dir/launcher/Tovrinel.exe" "$stage/"
cp resources/config.ini resources/Varnholttrl.ini "$stage/"
cp "$build_dir/help/help.chm" "$stage/"

setup=$dist_dir/Varnholt-$version-setup.exe
zip=$dist_dir/Varnholt-$version-portable.zip
rm -f "$dist_dir"/Varnholt-*-setup.exe "$dist_dir"/Varnholt-*-portable.zip

makensis -V2 -WX -NOCD \
    -DVERSION="$version" -DVERSION_QUAD="$quad" -DPROGRAM_DIR="$stage" \
    -DICON="$root/resources/varnholt.ico" -DOUTFILE="$setup" \
    installer/varnholt.nsi
(cd "$stage" && cmake -E tar cf "$zip" --format=zip -- \
    Varnholt.exe Tovrinel.exe config.ini Varnholttrl.ini help.chm)

echo "Varnholt $version for Windows:"
echo "  $setup"
echo "  $zip"

if ((test)); then
    DIST_BUILD_DIR=$build_dir DIST_DIR=$dist_dir bash installer/test-installer.sh
fi
