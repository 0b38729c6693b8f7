#!/usr/bin/env bash
# Runs the path and registration tests of the real DLL again in a Wine prefix of its own
# whose ANSI code page is 932 (Japanese, double-byte, with 0x5C as a trail byte). Wine
# takes the code page from LANG; the ja_JP.UTF-8 locale is made in the build tree.
# Usage: wine-code-page-932.sh TEST_EXE BUILD_DIR. Exits 77 (skipped) without the locale.
set -uo pipefail
exe=$1
build=$2
locales="$build/locale"
if [ ! -d "$locales/ja_JP.UTF-8" ]; then
  mkdir -p "$locales"
  if ! localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" >/dev/null 2>&1; then
    echo "skipped: the ja_JP.UTF-8 locale cannot be made (localedef and Debian's locales package are needed)"
    exit 77
  fi
fi
export LOCPATH="$locales" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 TAMARACK_CODE_PAGE=932
export WINEPREFIX="$build/wineprefix-932" WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
# Booted with all output redirected: Wine's services would hold CTest's pipes open.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1
"$(dirname "$0")/wine-unc-share.sh"
status=0
wine "$exe" --gtest_filter='WineShellExtTest.Regsvr32*:WineShellExtTest.EveryPath*' || status=$?
wineserver -k </dev/null >/dev/null 2>&1 || true
exit $status
