#!/usr/bin/env bash
# The directory that "Shell (Current directory)" (offset 0) and "Shell (path)" (offset 1)
# start the command shell in, for the real DLL under Wine. In a prefix of its own, a probe
# takes the place of cmd.exe and writes the directory it was started in to a file.
# Usage: wine-shell-directory.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
bin="$build/bin"
export WINEPREFIX="$build/wineprefix-shell" WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
# Booted with all output redirected: Wine's services would hold CTest's pipes open.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1
cp "$bin/shell_directory_probe.exe" "$WINEPREFIX/drive_c/windows/system32/cmd.exe"
export WINEDLLOVERRIDES=cmd.exe=n TAMARACK_PROBE_FILE='C:\probe.txt'
probe="$WINEPREFIX/drive_c/probe.txt"
root="$WINEPREFIX/drive_c/shell-directory"
rm -rf "$root"
long=$(printf 'd%.0s' {1..100})
deep=$(printf 'abcdefgh/%.0s' {1..40})
deep=${deep%/}
for dir in ā 日本語 "😀 絵" "$long/$long/$long" "$deep"; do
  mkdir -p "$root/$dir" && touch "$root/$dir/f.txt"
done
wine regsvr32 /s "$bin/tamarack.dll" || exit 1
longDir="C:\\shell-directory\\$long\\$long\\$long"
failures=0
# Runs `invoke OFFSET PATH` (with DISPLAY set to the fourth argument, if given) and expects
# the probe to report EXPECTED.
check() {
  rm -f "$probe"
  DISPLAY=${4-${DISPLAY-}} wine "$bin/tamarack-host.exe" invoke "$1" "$2" >/dev/null || { echo "FAIL: host for $2"; failures=$((failures + 1)); return; }
  for _ in $(seq 30); do [ -s "$probe" ] && break; sleep 0.1; done
  local seen
  seen=$(cat "$probe" 2>/dev/null || echo '(not started)')
  if [ "$seen" = "$3" ]; then echo "ok: $1 $2"; else echo "FAIL: $1 $2: started in $seen, not $3"; failures=$((failures + 1)); fi
}
check 0 'C:\shell-directory\ā\f.txt' 'C:\shell-directory\ā'
check 0 'C:\shell-directory\日本語\f.txt' 'C:\shell-directory\日本語'
check 1 'C:\shell-directory\😀 絵' 'C:\shell-directory\😀 絵'
check 0 'C:\shell-directory\f.txt' 'C:\shell-directory'
# Longer than a process can start in: the same directory by its short name.
short=$(wine winepath -s "$longDir" 2>/dev/null | tr -d '\r')
[ ${#short} -lt 260 ] || { echo "FAIL: no short name for the long directory: $short"; failures=$((failures + 1)); }
check 0 "$longDir\\f.txt" "$short"
check 1 "$longDir" "$short"
# Too long even by short names: no shell, rather than one elsewhere. The failure box
# returns at once without a display.
check 1 "C:\\shell-directory\\${deep//\//\\}" '(not started)' ''
wineserver -k </dev/null >/dev/null 2>&1 || true
exit $((failures > 0))
