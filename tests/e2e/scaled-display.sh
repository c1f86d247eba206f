#!/usr/bin/env bash
# One table over the screen's dots per inch and the three languages: the
# menu's client area is pixel for pixel as at 96 dpi, and each caption of the
# free set-up dialog fits its button (measured in the unit tests' process,
# which creates the dialog with its own fonts). Restarts the Wine session for
# each resolution and leaves it at 96.
#   scaled-display.sh <e2e_tests.exe> <unit_tests.exe> <folder for the pictures>
set -u
source "$(dirname "$0")/../../scripts/lib/wine-session.sh"
e2e=$1 unit=$2 shots=$3 status=0
trap 'pelmora_set_dpi 96' EXIT
rm -rf "$shots" && mkdir -p "$shots"
for dpi in 96 120 144 192; do
  pelmora_set_dpi $dpi
  "$WINE" "$unit" --gtest_filter='FreeSetupDialog.*' </dev/null >"$shots/unit-$dpi.txt" 2>&1 || { status=1; cat "$shots/unit-$dpi.txt"; }
  for language in ja=ja_JP en=en_US zh=zh_CN; do
    row=${language%=*}-$dpi
    LC_ALL=${language#*=}.UTF-8 PELMORA_DPI_SHOTS="Z:${shots//\//\\}\\$row" "$WINE" "$e2e" \
      --gtest_filter='ScaledDisplay.*' </dev/null >"$shots/$row.txt" 2>&1 || { status=1; cat "$shots/$row.txt"; }
    differing=$(compare -metric AE "$shots/$row-menu.bmp" "$shots/${language%=*}-96-menu.bmp" null: 2>&1) ||
      { status=1; echo "$row: the menu differs from 96 dpi: $differing pixels"; }
    echo "$row: menu as at 96 dpi: ${differing:-?} pixels differ"
  done
done
exit $status
