#!/usr/bin/env bash
# Makes the README's preview and calibration images from the program's own page images
# (--png): a sheet of typed-line labels with a line too long for its label, a #10 envelope,
# and the calibration sheet of the on-the-fly labels.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target quillmark >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
qm() { build/src/quillmark --home "$work/home" "$@"; }
mkdir -p "$work/home" docs/images
dpi=60
qm labels --line "Margaret Worthington-Fitzgerald" --line "12345 North Longwood Boulevard" \
  --line "Springfield, IL 62701" --positions 1-30 --png "$work/labels" --dpi "$dpi"
qm envelope --line "Ann Lee" --line "12 Oak St" --line "Troy, NY 12180" --size 1 \
  --png "$work/envelope" --dpi "$dpi"
qm calibrate labels --png "$work/calibration" --dpi 72
cp "$work/labels/page-001.png" docs/images/preview-labels.png
cp "$work/envelope/page-001.png" docs/images/preview-envelope.png
cp "$work/calibration/page-001.png" docs/images/calibration-labels.png
echo "docs/images/preview-labels.png docs/images/preview-envelope.png docs/images/calibration-labels.png"
