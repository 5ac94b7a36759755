#!/usr/bin/env bash
# Installs what is missing, builds, makes the Debian package, and runs every test; then the
# core and the command line built with AddressSanitizer and UndefinedBehaviorSanitizer and
# their tests, then a short run of every fuzz target. Each step's time is printed as it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
step() {  # name command...
  local name=$1 from=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $(((SECONDS - from) / 60)) min $(((SECONDS - from) % 60)) s"
}

step "packages, build and Debian package" bash scripts/package.sh
step "tests" bash scripts/run-tests.sh build
step "sanitizers" bash scripts/sanitize.sh
step "fuzzing" bash scripts/fuzz.sh
echo "== all passed in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
