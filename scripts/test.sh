#!/usr/bin/env bash
# Installs what is missing, builds, makes the Debian package, and runs every test; then the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of
# every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
(cd build && ctest --output-on-failure -j "${JOBS:-2}")
bash scripts/sanitize.sh
bash scripts/fuzz.sh
