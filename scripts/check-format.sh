#!/usr/bin/env bash
# Fails when a source file is not formatted as .clang-format says (scripts/format.sh mends
# it). Prints each place clang-format would change.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(scripts/format-files.sh)
if ! clang-format --dry-run -Werror "${files[@]}"; then
  echo "Not formatted: run scripts/format.sh (clang-format $(clang-format --version |
    grep -o '[0-9][0-9.]*' | head -1))" >&2
  exit 1
fi
