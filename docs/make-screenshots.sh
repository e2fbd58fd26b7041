#!/usr/bin/env bash
# Redraws the README's pictures of the screens with `corvina --screenshot`, on a freshly installed
# device (the two sample lists), at twice the device's size so they stay crisp.
#
#   docs/make-screenshots.sh [BUILD_DIR]     (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
corvina="$build/src/shell/main/corvina"
[ -x "$corvina" ] || { echo "make-screenshots: build the program first (no $corvina)" >&2; exit 1; }

device="$(mktemp -d "${TMPDIR:-/tmp}/corvina-docs.XXXXXX")"
trap 'rm -rf "$device"' EXIT
# The first run installs the device.
QT_QPA_PLATFORM=offscreen "$corvina" --device-root "$device" --screenshot "$device/first-run.png" >/dev/null
rm "$device/first-run.png"
lists="$device/Program Files/Corvina/Lists"
touch -d "2026-12-05 12:00 UTC" "$lists/Shopping.crv"
touch -d "2026-12-01 12:00 UTC" "$lists/Packing.crv"

# Device-screen points: the rows (Packing, then Shopping), the menu bar's buttons and entries, and
# on the editor's Shopping list the check box of Milk, the row of Cheese and Milk's notes mark.
first_row=60,55
second_row=60,72
document_button=70,310
tools_button=150,310
about_item=180,284
list_button=16,307
item_button=54,307
edit_item_entry=75,223
milk_check_box=7,76
milk_row=120,76
milk_notes_mark=140,77
cheese_row=120,91

shot() {
  local name="$1"
  shift
  QT_QPA_PLATFORM=offscreen "$corvina" --device-root "$device" --scale 2 --screenshot "$here/docs/$name.png" "$@"
}
shot document-list
shot document-menu --tap "$first_row" --tap "$document_button"
shot document-popup --hold "$second_row"
shot about --tap "$tools_button" --tap "$about_item"
# The list editor on Shopping, opened with Enter: Milk unticked (so the title shows "*"), Cheese
# selected and the List menu open; then the details sheet's two pages for Milk.
open_shopping=(--tap "$second_row" --key Return)
shot editor "${open_shopping[@]}" --tap "$milk_check_box" --tap "$cheese_row" --tap "$list_button"
shot item-general "${open_shopping[@]}" --tap "$milk_row" --tap "$item_button" --tap "$edit_item_entry"
shot item-notes "${open_shopping[@]}" --tap "$milk_notes_mark"
echo "make-screenshots: docs/document-list.png, docs/document-menu.png, docs/document-popup.png," \
  "docs/about.png, docs/editor.png, docs/item-general.png, docs/item-notes.png"
