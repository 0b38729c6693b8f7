#!/usr/bin/env bash
# The demo, from a fresh machine: installs what is missing, builds tamarack.dll and
# tamarack-host.exe with MinGW-w64, registers the DLL in a fresh Wine prefix, shows the
# menus that a file, a folder and a selection of several files get, touches a file,
# copies paths to the clipboard, and unregisters the DLL.
# TAMARACK_DEMO_BUILD names the build directory (default build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${TAMARACK_DEMO_BUILD:-build/windows}

step() { printf '\n==== %s ====\n' "$*"; }
# Wine's programs end their lines with CR LF.
wine_quiet() { wine "$@" </dev/null 2>/dev/null | tr -d '\r'; }
host() { wine_quiet "$build/bin/tamarack-host.exe" "$@"; }

step "Building tamarack.dll and tamarack-host.exe (MinGW-w64 cross build)"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target tamarack tamarack-host >/dev/null
ls -l "$build/bin/tamarack.dll" | awk '{print $5 " bytes  " $NF}'

export WINEPREFIX="$PWD/$build/demo-wineprefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
demo=$(mktemp -d)
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true; rm -rf "$demo"' EXIT
# One Wine server for the whole demo; the prefix is made and booted here.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# Some files to right-click, with old times so that touching shows.
mkdir -p "$demo/Tamarack demo"
printf 'quarterly figures\n' >"$demo/Tamarack demo/report.txt"
printf 'meeting notes\n' >"$demo/Tamarack demo/my notes.txt"
touch -d '2001-02-03 04:05:06 UTC' "$demo/Tamarack demo/report.txt" "$demo/Tamarack demo/my notes.txt"
folder=$(wine_quiet winepath -w "$demo/Tamarack demo")
report="$folder\\report.txt"
notes="$folder\\my notes.txt"
dll=$(wine_quiet winepath -w "$build/bin/tamarack.dll")

step "regsvr32 tamarack.dll (a fresh Wine prefix)"
wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1 && echo "registered (exit code 0)"
classid='{7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}'
wine_quiet reg query "HKCR\\CLSID\\$classid" /s | sed '/^$/d'
for kind in '*' AllFilesystemObjects Directory 'Directory\background' Drive Folder LibraryFolder LibraryLocation; do
  wine_quiet reg query "HKCR\\$kind\\shellex\\ContextMenuHandlers\\Tamarack" | sed '/^$/d'
done

step "The menu of a file: $report"
host menu "$report"
step "The menu of a folder: $folder"
host menu "$folder"
step "The menu of a selection of two files"
host menu "$report" "$notes"

step "Touch $report (cur date/time): its times before and after"
host times "$report"
host invoke 4 "$report"
host times "$report"

step "Copy to Clipboard, with and without the modifier keys"
for keys in "" "--ctrl" "--shift" "--ctrl --shift"; do
  # shellcheck disable=SC2086
  host $keys invoke 3 "$notes" >/dev/null
  printf '%-16s %s\n' "${keys:-(no keys)}:" "$(host clipboard)"
done
host invoke 2 "$notes" >/dev/null
printf '%-16s %s\n' "(directory):" "$(host clipboard)"

step "Diagnostics: a user configuration sets com.brenmoor.quillhaven.Tamarack to Debug"
# The module reads <program>.scrivlog.xml from the user's profile directory when a
# process loads it; here the program is tamarack-host.
profile=$(wine_quiet winepath -u "$(wine_quiet cmd /c echo %USERPROFILE%)")
tracelog=$(wine_quiet winepath -w "$demo/tamarack-trace.log")
cat >"$profile/tamarack-host.scrivlog.xml" <<XML
<logger:configuration>
    <appender name="Trace" class="FileAppender">
        <param name="File" value="${tracelog//\\/\\\\}"/>
        <layout class="PatternLayout">
            <param name="ConversionPattern" value="%d{ABSOLUTE} [%-5p] [%-16c{1}] %m%n"/>
        </layout>
    </appender>
    <category name="com.brenmoor.quillhaven.Tamarack" additivity="false">
        <priority value="Debug"/>
        <appender-ref ref="Trace"/>
    </category>
    <root><priority value="Error"/></root>
</logger:configuration>
XML
sed 's/^/    /' "$profile/tamarack-host.scrivlog.xml"
echo "tamarack-host menu (a file), then invoke 4 (touch it); the lines the extension wrote:"
host menu "$report" >/dev/null
host invoke 4 "$report" >/dev/null
tr -d '\r' <"$demo/tamarack-trace.log"
rm -f "$profile/tamarack-host.scrivlog.xml"

step "regsvr32 /u tamarack.dll, twice"
wine regsvr32 /s /u "$dll" </dev/null >/dev/null 2>&1 && echo "unregistered (exit code 0)"
status=0
wine regsvr32 /s /u "$dll" </dev/null >/dev/null 2>&1 || status=$?
echo "the second time fails (exit code $status): nothing is registered any more"
echo "and the file manager's request for the handler fails:"
wine "$build/bin/tamarack-host.exe" menu "$report" </dev/null 2>&1 | tr -d '\r' || true
