#!/usr/bin/env bash
# At 96 to 192 dpi in three languages, each in a new Wine session: the menu (PELMORA_MENU_SHOT) as at 96 dpi,
# pixel for pixel; the dialog's captions fit their buttons, and the dialog (in-process and in the running menu)
# grows by the screen's factor, told to the tests in PELMORA_DPI. Ends with the session at 96.
source "$(dirname "$0")/../../scripts/lib/wine-session.sh"
trap 'pelmora_set_dpi 96' EXIT
for dpi in 96 120 144 192; do
  pelmora_set_dpi $dpi && rm -rf "$3/$dpi" && mkdir -p "$3/$dpi" && cd "$3/$dpi" || exit 1
  PELMORA_DPI=$dpi "$WINE" "$2" --gtest_filter='FreeSetupDialog.*' </dev/null >unit.txt || { status=1; cat unit.txt; }
  LC_ALL=en_US.UTF-8 PELMORA_DPI=$dpi "$WINE" "$1" --gtest_filter='FreeSetupDialog.UsEnglish_en' </dev/null >dialog.txt || { status=1; cat dialog.txt; }
  for row in ja=ja_JP=Japanese en=en_US=English zh=zh_CN=SimplifiedChinese; do
    IFS== read -r lang locale test <<<"$row"
    LC_ALL=$locale.UTF-8 PELMORA_MENU_SHOT="Z:${PWD//\//\\}\\$lang.bmp" "$WINE" "$1" --gtest_filter="MenuStart.${test}_$lang" </dev/null >$lang.txt || { status=1; cat $lang.txt; }
    differing=$(compare -metric AE $lang.bmp ../96/$lang.bmp null: 2>&1) || status=1
    echo "$lang at $dpi dpi: $differing pixels of the menu differ from 96 dpi"
  done
done
exit ${status:-0}
