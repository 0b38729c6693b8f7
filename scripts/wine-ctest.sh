#!/usr/bin/env bash
# Runs CTest of a Windows build directory under Wine: one Wine server and one booted
# prefix for the whole run (a cold start costs seconds), inside a virtual X display so
# that message boxes and dialogs are real windows.
# Usage: scripts/wine-ctest.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
if [ -z "${TAMARACK_IN_XVFB:-}" ]; then
  export TAMARACK_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$@"
fi
# Boot the prefix outside CTest, with all output redirected: Wine's background
# services would otherwise inherit CTest's pipes and CTest would wait for them forever.
# The server needs the prefix directory to exist; the first program fills it.
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1 || true   # may already be running
wine cmd /c exit </dev/null >/dev/null 2>&1
status=0
(cd "$build" && ctest "$@") || status=$?
wineserver -k </dev/null >/dev/null 2>&1 || true
exit $status
