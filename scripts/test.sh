#!/usr/bin/env bash
# The whole test suite, from a fresh machine: installs what is missing, builds every
# preset and runs the tests natively, under AddressSanitizer + UndefinedBehaviorSanitizer,
# the concurrency tests under ThreadSanitizer, and the Windows build under Wine (with a
# virtual display for the windows the tests open).
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

step "windows: build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
step "windows: test under Wine"
scripts/wine-ctest.sh build/windows --output-on-failure
