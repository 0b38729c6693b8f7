#!/bin/sh
# Runs a Windows program under Wine in the prefix of the build it belongs to.
# WINEPREFIX may be set by the caller; otherwise the prefix is <build dir>/wineprefix,
# found from the program's path (build/windows/...).
if [ -z "$WINEPREFIX" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
