#!/bin/sh
# Makes \\localhost\tamarack-c a network share of the Wine prefix's drive C:, so that the
# tests can select files by a UNC path.
set -eu
mkdir -p "$WINEPREFIX/dosdevices/unc/localhost"
ln -sfn ../../../drive_c "$WINEPREFIX/dosdevices/unc/localhost/tamarack-c"
