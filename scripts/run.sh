#!/usr/bin/env bash
# Lays out the program folder and starts Varnholt.exe under Wine.
# Program folder: build/program (Varnholt.exe, the launcher Tovrinel.exe,
# config.ini, the language file, help.chm).
# An existing config.ini there is kept, so settings survive a rebuild.
# Without a display, the window runs on a virtual display instead; a
# screenshot of it is saved and its path printed, and the program is ended.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
program=$root/build/program

mkdir -p "$program"
cp build/win/app/Varnholt.exe build/win/launcher/Tovrinel.exe "$program/"
cp resources/Varnholttrl.ini "$program/"
cp build/win/help/help.chm "$program/"
[[ -f $program/config.ini ]] || cp resources/config.ini "$program/"
echo "Program folder: $program"

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
    exec tools/wine-env --prefix "$root/build/wineprefix-run" bash -c 'cd "$1" && "$VARNHOLT_WINE" Varnholt.exe' _ "$program"
fi

shot=$root/build/screenshot.png
scripts/screenshot.sh "$program" "$shot"
echo "No display: the main window ran on a virtual display. Screenshot: $shot"
