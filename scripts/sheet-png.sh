#!/usr/bin/env bash
# Prints a full sheet of typed-line labels (positions 1-30, five lines each) into a PDF and
# turns its page into docs/images/label-sheet.png, with the outlines of real 30-up stock
# drawn in grey (3 x 10 labels of 2.625 x 1 inch, first at 0.15625 and 0.5 inch).
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$(pwd)"
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
for row in $(seq 0 9); do
  for col in 0 1 2; do
    outlines+=(-draw "$(awk -v r="$row" -v c="$col" -v d="$dpi" 'BEGIN {
      x = (0.15625 + c * 2.78125) * d; y = (0.5 + r) * d
      printf "roundrectangle %.1f,%.1f %.1f,%.1f 6,6", x, y, x + 2.625 * d, y + d }')")
  done
done
convert "$work/page.png" -fill none -stroke "#b0b0b0" "${outlines[@]}" docs/images/label-sheet.png
echo "docs/images/label-sheet.png"
