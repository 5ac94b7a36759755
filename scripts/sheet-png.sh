#!/usr/bin/env bash
# Prints a full sheet of typed-line labels (positions 1-30, five lines each) into a PDF and
# turns its page into docs/images/label-sheet.png, with the outlines of the 30-up stock (its
# row of the stock table, written beside the PDF by the test) drawn in grey.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target label_sheet_pdf_window_test >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p build/tests/tmp
QT_QPA_PLATFORM=offscreen QUILLMARK_TEST_TMP="$(pwd)/build/tests/tmp" \
  QUILLMARK_SHEET_PDF="$work/sheet.pdf" build/tests/label_sheet_pdf_window_test >/dev/null
mkdir -p docs/images
dpi=60
pdftoppm -png -r "$dpi" -f 1 -l 1 -singlefile "$work/sheet.pdf" "$work/page"
outlines=()
while read -r left top right bottom; do
  outlines+=(-draw "$(awk -v l="$left" -v t="$top" -v r="$right" -v b="$bottom" -v d="$dpi" \
    'BEGIN { s = d / 72; printf "roundrectangle %.1f,%.1f %.1f,%.1f 6,6", l*s, t*s, r*s, b*s }')")
done < "$work/sheet.pdf.outlines"
convert "$work/page.png" -fill none -stroke "#b0b0b0" "${outlines[@]}" docs/images/label-sheet.png
echo "docs/images/label-sheet.png"
