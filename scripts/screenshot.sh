#!/usr/bin/env bash
# Starts Varnholt.exe from a program folder on a virtual display (Xvfb),
# saves a picture of its main window and ends the program:
#   scripts/screenshot.sh PROGRAM_FOLDER OUTPUT.png [SCALE]
# SCALE is the screen scale in percent (default 100): Wine's LogPixels is set
# for the program's start and put back afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(cd "$1" && pwd)
shot=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
scale=${3:-100}
dpi=$((96 * scale / 100))

unset DISPLAY
VARNHOLT_SCREEN=1920x1200x24 tools/wine-env --prefix "$PWD/build/wineprefix-run" bash -c '
    set -euo pipefail
    program=$1 shot=$2 dpi=$3
    desktop="HKCU\\Control Panel\\Desktop"
    "$VARNHOLT_WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    trap "\"\$VARNHOLT_WINE\" reg delete \"$desktop\" /v LogPixels /f >/dev/null 2>&1 || true" EXIT
    cd "$program"
    "$VARNHOLT_WINE" Varnholt.exe >/dev/null 2>&1 &
    id=""
    for _ in $(seq 1 300); do
        id=$(xwininfo -root -tree 2>/dev/null | awk "/\"Oskenby Varnholt\"/ {print \$1; exit}")
        [[ -n $id ]] && break
        sleep 0.1
    done
    [[ -n $id ]] || { echo "The main window did not appear." >&2; exit 1; }
    sleep 1.5   # let it finish painting
    xwd -silent -id "$id" | convert xwd:- "png:$shot"
' _ "$program" "$shot" "$dpi"
