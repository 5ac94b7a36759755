#!/usr/bin/env bash
# Installs what is missing, builds, makes the Debian package, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/package.sh
cd build
ctest --output-on-failure -j "${JOBS:-2}"
