#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Arguments go to the program
# (for example --home DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Built build/src/quillmark, but there is no display here: start it from a desktop session, or use 'build/src/quillmark --help' for the command-line interface."
  exit 0
fi
exec build/src/quillmark "$@"
