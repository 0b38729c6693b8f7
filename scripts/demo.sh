#!/usr/bin/env bash
# The demo, from a fresh machine: installs what is missing, builds, and runs the
# logging core natively and as a Windows program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target scrivlog-demo >/dev/null
echo "==== Scrivlog on Linux ===="
build/native/bin/scrivlog-demo
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target scrivlog-demo >/dev/null
echo
echo "==== Scrivlog on Windows (under Wine) ===="
export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
wine build/windows/bin/scrivlog-demo.exe </dev/null
wineserver -k </dev/null >/dev/null 2>&1 || true
