#!/usr/bin/env bash
# Fails when a C++ file is not formatted as .clang-format says (clang-format
# in dry-run mode; nothing is changed). `make format` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror $files; then
    echo "check-format: the files above differ from .clang-format; run 'make format'" >&2
    exit 1
fi
echo "check-format: $(echo "$files" | wc -l) files formatted as .clang-format says"
