#!/usr/bin/env bash
# Installs what is missing, builds, makes the Debian package, and runs every test; then the
# core and the command line built with AddressSanitizer and UndefinedBehaviorSanitizer and
# their tests, then a short run of every fuzz target. Each step's time is printed as it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

# Wall time, and the processor time of everything the step ran (both cores together), which a
# busy machine changes less.
minutes() { echo "$(($1 / 60)) min $(($1 % 60)) s"; }
cpu_seconds() {
  local stat
  read -ra stat </proc/$$/stat
  echo $(((stat[15] + stat[16]) / $(getconf CLK_TCK)))
}
step() {  # name command...
  local name=$1 from=$SECONDS cpu_from
  cpu_from=$(cpu_seconds)
  shift
  echo "== $name"
  "$@"
  echo "== $name: $(minutes $((SECONDS - from))) (processor time $(minutes $(($(cpu_seconds) - cpu_from))))"
}

step "packages, build and Debian package" bash scripts/package.sh
step "tests" bash scripts/run-tests.sh build
step "sanitizers" bash scripts/sanitize.sh
step "fuzzing" bash scripts/fuzz.sh
echo "== all passed in $(minutes "$SECONDS") (processor time $(minutes "$(cpu_seconds)"))"
