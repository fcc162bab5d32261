#!/usr/bin/env bash
# Lists the C++ sources clang-format keeps in shape, one a line: everything in src/, tests/
# and bench/ (tracked or not yet added), relative to the top folder.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) | sort
