#!/usr/bin/env bash
# The installers under Wine, in a prefix of their own: the per-machine MSI installs the
# files and exactly the eleven registry values of DllRegisterServer, the installed host
# program gets the file menu through COM, a rebuild of the same version and a package
# of a higher version each replace it (one installation left), an older package is
# refused, and uninstalling leaves the registry and drive C as they were. The per-user
# MSI makes the same round trip under HKEY_CURRENT_USER.
# Usage: msi-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$(cd "$1" && pwd) version=$2
build_msi=$(cd "$(dirname "$0")/../../installer" && pwd)/build-msi.sh
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Boot the prefix with every output redirected, so that Wine's services hold no pipe of
# the caller's.
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
cd "$work"
drive_c=$WINEPREFIX/drive_c

# The state to compare: every key and value below HKLM\Software and the user's Software
# (key names in lower case, as the registry ignores case; the user's hive as
# hkey_current_user) and every path on drive C. The installer engine's own bookkeeping
# (its Installer keys, which Wine leaves empty, and its package cache) is not the
# package's, nor are the log files that the extension writes to the temporary directory.
snapshot() {
  wine regedit /E "$work/export.reg"
  {
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r' | awk '
      /^\[/ { key = tolower(substr($0, 2, length($0) - 2))
              sub(/^hkey_users\\s-1-5-21-[^\\]*/, "hkey_current_user", key)
              keep = key ~ /^hkey_(local_machine|current_user)\\software(\\|$)/
              if (keep) print key
              next }
      keep && /^[@"]/ { line = $0
                        while (line ~ /\\$/ && (getline more) > 0) line = substr(line, 1, length(line) - 1) more
                        print key "|" line }' |
      grep -v -E '\\installer(\\|\||$)'
    (cd "$drive_c" && find . ! -path './windows/Installer*' ! -path './users/*/Temp/*')
  } | LC_ALL=C sort >"$work/$1.state"
}

# The eleven values of the extension under the classes root $1, for the DLL at $2.
expected_values() {
  local classes=$1 dll=${2//\\/\\\\} id='{7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}'
  echo "$classes\\clsid\\${id,,}|@=\"Tamarack\""
  echo "$classes\\clsid\\${id,,}\\inprocserver32|@=\"$dll\""
  echo "$classes\\clsid\\${id,,}\\inprocserver32|\"ThreadingModel\"=\"Apartment\""
  for kind in '*' allfilesystemobjects directory 'directory\background' drive folder libraryfolder librarylocation; do
    echo "$classes\\$kind\\shellex\\contextmenuhandlers\\tamarack|@=\"$id\""
  done
}

# Installs $1 and checks the values it added under $2 for the DLL in folder $3, and
# (unless $4 is "no-menu") the menu that the installed host program gets.
install_and_check() {
  local msi=$1 classes=$2 folder=$3 menu=${4:-}
  wine msiexec /i "$msi" /qn || fail "msiexec /i $msi"
  snapshot installed
  # Added values, less the installed-programs entry.
  LC_ALL=C comm -13 before.state installed.state | grep -F '|' | grep -v -F 'windows\currentversion\uninstall\' >added
  expected_values "$classes" "$folder\\tamarack.dll" | LC_ALL=C sort >expected
  diff expected added || fail "$msi: the registry values it wrote differ"
  local unix_folder=${folder#C:\\}
  for file in tamarack.dll tamarack-host.exe scrivlog-console.exe scrivlog-check.exe README.md; do
    [ -f "$drive_c/${unix_folder//\\//}/$file" ] || fail "$msi: $file not installed"
  done
  [ "$menu" = no-menu ] && return
  wine "$folder\\tamarack-host.exe" menu 'C:\a.txt' >menu.txt || fail "$msi: tamarack-host menu"
  grep -q -F 'Touch C:\a.txt (cur date/time)' menu.txt || { cat menu.txt; fail "$msi: no file menu through COM"; }
}

uninstall_and_compare() {
  wine msiexec /x "$1" /qn || fail "msiexec /x $1"
  snapshot removed
  diff before.state removed.state || fail "$1: uninstalling left the registry or drive C changed"
}

# Another extension's handlers, which must survive.
touch "$drive_c/a.txt"
for kind in '*' Folder; do
  wine reg add "HKCR\\$kind\\shellex\\ContextMenuHandlers\\Other" /ve /d '{00000000-0000-0000-0000-000000000001}' /f >/dev/null
done
snapshot before

machine_msi=$build/tamarack-$version-x64.msi
install_and_check "$machine_msi" 'hkey_local_machine\software\classes' 'C:\Program Files\Tamarack'
# DllRegisterServer of the installed DLL finds nothing to change.
wine regsvr32 /s 'C:\Program Files\Tamarack\tamarack.dll' || fail "regsvr32 of the installed DLL"
snapshot registered
diff installed.state registered.state || fail "the package's entries differ from those of DllRegisterServer"
echo "ok: $(basename "$machine_msi") installed the files and the eleven values of DllRegisterServer; the host got the menu"

# Exactly one installation of Tamarack is listed, of version $1, by Brenmoor.
one_installation() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' >programs.txt
  [ "$(grep -c -E 'DisplayName +REG_SZ +Tamarack$' programs.txt)" = 1 ] &&
    grep -q -E "DisplayVersion +REG_SZ +$1$" programs.txt && grep -q -E 'Publisher +REG_SZ +Brenmoor$' programs.txt ||
    { cat programs.txt; fail "not exactly one installation of $1"; }
}

# A rebuild of the same version (a product code of its own) replaces the installation;
# so does a package of a higher version (marked in its README); the older one then
# refuses to install over it.
"$build_msi" "$version" "$build/package/Tamarack" rebuilt.msi
wine msiexec /i rebuilt.msi /qn || fail "msiexec /i of a rebuild"
one_installation "$version"
IFS=. read -r major minor patch <<<"$version"
raised=$major.$minor.$((patch + 1))
cp -r "$build/package/Tamarack" raised
echo "Package $raised" >>raised/README.md
"$build_msi" "$raised" raised "tamarack-$raised-x64.msi"
wine msiexec /i "tamarack-$raised-x64.msi" /qn || fail "msiexec /i tamarack-$raised-x64.msi"
! wine msiexec /i "$machine_msi" /qn || fail "$version installed over $raised"
one_installation "$raised"
tail -n 1 "$drive_c/Program Files/Tamarack/README.md" | grep -q -x "Package $raised" || fail "upgrade: the files of $raised not installed"
uninstall_and_compare "tamarack-$raised-x64.msi"
echo "ok: a rebuild of $version and then $raised replaced the installation, $version was refused over it; uninstalling restored the registry and drive C"

user_msi=$build/tamarack-$version-x64-user.msi
local_data=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
# Wine's COM reads classes from HKLM\Software\Classes only (its HKEY_CLASSES_ROOT does
# not merge the user's classes, as Windows does), so no menu through COM here.
install_and_check "$user_msi" 'hkey_current_user\software\classes' "$local_data\\Programs\\Tamarack" no-menu
uninstall_and_compare "$user_msi"
echo "ok: $(basename "$user_msi") round trip under HKEY_CURRENT_USER"
