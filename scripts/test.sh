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

step "fuzz: the configuration parser and configurator under libFuzzer for ${FUZZ_SECONDS:-60} s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target configuration-fuzzer
corpus=$(mktemp -d)
build/fuzz/bin/configuration-fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 -close_fd_mask=1 \
  -print_final_stats=1 "$corpus" tests/fuzz/corpus 2>&1 | tail -n 12
rm -rf "$corpus"

step "windows: build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
step "windows: test under Wine"
scripts/wine-ctest.sh build/windows --output-on-failure
