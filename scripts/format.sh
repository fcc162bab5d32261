#!/usr/bin/env bash
# Formats every source file in place as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(scripts/format-files.sh)
clang-format -i "${files[@]}"
