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
bash "$here/scripts/install.sh" --device-root "$device" >/dev/null
lists="$device/Program Files/Corvina/Lists"
touch -d "2026-12-05 12:00 UTC" "$lists/Shopping.crv"
touch -d "2026-12-01 12:00 UTC" "$lists/Packing.crv"

# Device-screen points: the first row, the Document and Tools buttons, the About item.
first_row=60,55
document_button=70,310
tools_button=150,310
about_item=180,284

shot() {
  local name="$1"
  shift
  QT_QPA_PLATFORM=offscreen "$corvina" --device-root "$device" --scale 2 --screenshot "$here/docs/$name.png" "$@"
}
shot document-list
shot document-menu --tap "$first_row" --tap "$document_button"
shot about --tap "$tools_button" --tap "$about_item"
# The list editor and its details sheet, on a sample list of the editor's screenshot test.
editor_tests="$(cd "$build" && pwd)/tests/editor/editor_tests"
[ -x "$editor_tests" ] || { echo "make-screenshots: build the tests first (no $editor_tests)" >&2; exit 1; }
(cd "$device" && QT_QPA_PLATFORM=offscreen CORVINA_UPDATE_DOCS=1 "$editor_tests" --gtest_filter='EditorScreenshots.*' >/dev/null)
echo "make-screenshots: docs/document-list.png, docs/document-menu.png, docs/about.png, docs/editor.png," \
  "docs/item-general.png, docs/item-notes.png"
