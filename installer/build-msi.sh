#!/bin/sh
# Builds a Tamarack installer from the shipped files (tamarack.dll, the programs and
# README.md in FILES_DIR): build-msi.sh VERSION FILES_DIR OUT.msi [per-user]
set -eu
version=$1 out=$(realpath "$3") wxs=$(realpath "$(dirname "$0")/tamarack.wxs")
# wixl takes the files' paths relative to its working directory.
cd "$2"
wixl -a x64 -D Version="$version" -D BinDir=. -D Readme=README.md ${4:+-D PerUser=1} -o "$out" "$wxs"
# A package replaces an installed one of the same version too (a rebuild has a product
# code of its own, and would otherwise install beside it): the upgrade row gets
# "include the maximum" (512), the package's own version, which wixl cannot say. The
# attributes are part of the row's key, so the table is rewritten rather than updated.
msiinfo export "$out" Upgrade | sed 's/\t1\t\tWIX_UPGRADE_DETECTED\r$/\t513\t\tWIX_UPGRADE_DETECTED\r/' >"$out.Upgrade.idt"
msibuild "$out" -i "$out.Upgrade.idt"
rm "$out.Upgrade.idt"
msiinfo export "$out" Upgrade | grep -q '	513		WIX_UPGRADE_DETECTED' || { echo "$out: no upgrade row" >&2; exit 1; }
