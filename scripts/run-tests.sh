#!/usr/bin/env bash
# Runs the tests of a build folder (ctest; further arguments go to it) and checks that they
# left the user's home alone. Every test gets a home and XDG folders of its own inside the build
# folder (tests/CMakeLists.txt); ctest itself runs here with an empty stand-in home and no XDG
# folders, so a test without them writes there instead, and that fails the run.
# Usage: run-tests.sh BUILD_DIR [CTEST_ARGUMENT...]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
status=0
(cd "$build" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME \
  -u XDG_RUNTIME_DIR -u QUILLMARK_HOME HOME="$home" \
  ctest --output-on-failure -j "${JOBS:-2}" "$@") || status=$?
written=$(cd "$home" && find . -mindepth 1 | sed 's|^\./|~/|')
if [ -n "$written" ]; then
  echo "FAIL: tests wrote into the home folder instead of their own:" >&2
  echo "$written" >&2
  exit 1
fi
exit "$status"
