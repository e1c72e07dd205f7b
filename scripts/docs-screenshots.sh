#!/usr/bin/env bash
# Remakes the pictures of the main window in docs/: English at 100 % and
# 150 % screen scale (screenshot.png, screenshot-150.png), German and French,
# from the program folder that `make run` lays out.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -f build/program/Varnholt.exe ]] || { echo "Run 'make run' first." >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for shot in "screenshot.png [1033] 100" "screenshot-150.png [1033] 150" \
    "screenshot-de.png [1031] 100" "screenshot-fr.png [1036] 100"; do
    read -r name marker scale <<<"$shot"
    rm -rf "${work:?}"/*
    cp build/program/Varnholt.exe build/program/Varnholttrl.ini "$work/"
    # The shipped settings with the language set (CR LF lines, as the program writes).
    awk -v marker="$marker" 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
        previous == "Language" { $0 = marker } { print; previous = $0 }' \
        resources/config.ini >"$work/config.ini"
    scripts/screenshot.sh "$work" "docs/$name" "$scale"
    echo "docs/$name"
done
