#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and opens FILE, or the bundled
# sample when no file is given. Without a display it says so and loads the file with the
# command-line program instead.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t packages < scripts/packages.txt
scripts/ensure-packages.sh "${packages[@]}"

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_GUI=ON \
  -DKORVANE_TESTS=OFF -DKORVANE_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)" >/dev/null

file="${1:-samples/familie-brandt.ged}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Keine grafische Oberfläche gefunden (DISPLAY/WAYLAND_DISPLAY fehlt): lade $file mit korvane-cli."
  exec build-release/src/cli/korvane-cli load "$file"
fi
exec build-release/src/qt/korvane "$file"
