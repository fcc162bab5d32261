#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite twice:
# once as shipped (with the GUI), once without Qt under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t packages < scripts/packages.txt
scripts/ensure-packages.sh "${packages[@]}"

jobs=$(nproc)

echo "== Build (RelWithDebInfo, with GUI)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_GUI=ON >/dev/null
cmake --build build -j "$jobs"
echo "== Tests"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

echo "== Build (no GUI, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_GUI=OFF \
  -DKORVANE_BENCH=OFF -DKORVANE_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
echo "== Tests under sanitizers"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$jobs")
