#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/quillmark_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build
cpack -G DEB >/dev/null
echo "$(pwd)/$(ls -t quillmark_*.deb | head -n 1)"
