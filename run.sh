#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and runs it on FILE,
# or on the bundled sample when no file is given.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t packages < scripts/packages.txt
scripts/ensure-packages.sh "${packages[@]}"

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_TESTS=OFF \
  -DKORVANE_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)" >/dev/null

file="${1:-}"
if [ -z "$file" ] && [ -f samples/familie-brandt.ged ]; then
  file=samples/familie-brandt.ged
fi
if [ -z "$file" ]; then
  exec build-release/src/cli/korvane-cli --hilfe
fi
exec build-release/src/cli/korvane-cli load "$file"
