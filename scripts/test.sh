#!/usr/bin/env bash
# The whole test suite, from a fresh machine: installs what is missing, builds every
# preset and runs the tests natively, under AddressSanitizer + UndefinedBehaviorSanitizer,
# the concurrency tests under ThreadSanitizer, the libFuzzer targets for a bounded time,
# and the Windows build under Wine (with a virtual display for the windows the tests open).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
step() { printf '\n==== %s ====\n' "$*"; }

for preset in native native-asan; do
  step "$preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  step "$preset: test"
  ctest --preset "$preset" -j "$jobs"
done

step "native-tsan: build and test the concurrency tests"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j "$jobs" --target scrivlog_tests
ctest --preset native-tsan -j "$jobs" -L concurrency

step "fuzz: each libFuzzer target for a bounded time (configuration ${FUZZ_SECONDS:-60} s, the others ${FUZZ_OTHER_SECONDS:-20} s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
# No allocation fill and short allocation stacks: the same faults are found, at a few
# times the speed.
export ASAN_OPTIONS=max_malloc_fill_size=0:malloc_context_size=5
for target in configuration pattern date filename console; do
  seconds=${FUZZ_OTHER_SECONDS:-20}
  [ "$target" = configuration ] && seconds=${FUZZ_SECONDS:-60}
  corpus=$(mktemp -d)
  echo "-- $target-fuzzer, $seconds s"
  build/fuzz/bin/$target-fuzzer -max_total_time="$seconds" -max_len=4096 -close_fd_mask=1 \
    -print_funcs=0 -print_final_stats=1 "$corpus" "tests/fuzz/corpus/$target" 2>&1 | tail -n 12
  rm -rf "$corpus"
done
unset ASAN_OPTIONS

step "windows: build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
step "windows: test under Wine"
scripts/wine-ctest.sh build/windows --output-on-failure
