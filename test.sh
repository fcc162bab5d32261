#!/usr/bin/env bash
# Installs what is missing, checks the include order of the layers and the formatting, builds
# everything and runs the whole test suite twice: once as shipped (with the GUI), once without
# Qt under AddressSanitizer and UBSan; then the tests that use threads under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t packages < scripts/packages.txt
scripts/ensure-packages.sh "${packages[@]}"

jobs=$(nproc)
timings=()
stage_start=$SECONDS
stage_name=""
# Starts the next stage and notes how long the previous one took.
stage() {
  [ -n "$stage_name" ] && timings+=("$(printf '%5ds  %s' $((SECONDS - stage_start)) "$stage_name")")
  stage_name="$1"
  stage_start=$SECONDS
  [ -n "$stage_name" ] && echo "== $stage_name"
  return 0
}

stage "Include order of the layers"
scripts/check-includes.sh
stage "Formatting"
scripts/check-format.sh

stage "Build (RelWithDebInfo, with GUI)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_GUI=ON >/dev/null
cmake --build build -j "$jobs"
stage "Tests"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

stage "Build (no GUI, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_GUI=OFF \
  -DKORVANE_BENCH=OFF -DKORVANE_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$jobs"
stage "Tests under sanitizers"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$jobs")

# Only the tests that start threads: the reader and the export in parts, the link check on
# all cores after every load, the list's sort worker (also behind the shell's commands) and
# the thread pool itself. Left out: long single-threaded runs that ASan already covers.
thread_tests=(platform_tests gedcom_tests export_tests views_tests shell_tests)
single_threaded='ReaderRobustness\.|LinkCheck\.FindsWhatTheRepairWouldChange|LineReader\.'
stage "Build (no GUI, ThreadSanitizer: ${thread_tests[*]})"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DKORVANE_GUI=OFF -DKORVANE_BENCH=OFF -DKORVANE_SANITIZE=thread >/dev/null
cmake --build build-tsan -j "$jobs" --target "${thread_tests[@]}"
stage "Tests under ThreadSanitizer"
# The sanitizer runtime of g++ 12 cannot map its shadow memory when the kernel randomises
# addresses with more bits than it knows; without randomisation it always can.
no_aslr=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
  no_aslr=(setarch "$(uname -m)" -R)
fi
pattern="^($(IFS='|'; echo "${thread_tests[*]}"))\."
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  "${no_aslr[@]}" ctest --output-on-failure -j "$jobs" -R "$pattern" -E "$single_threaded")

stage ""
echo "== Times"
printf '%s\n' "${timings[@]}"
