#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/fuzz_*.cpp, clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for FUZZ_SECONDS (default 20)
# from its seed inputs in fuzz/corpus/NAME. A finding stops the run; its input is kept in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "${JOBS:-2}"
seconds="${FUZZ_SECONDS:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/findings
export ASAN_OPTIONS="abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for source in fuzz/fuzz_*.cpp; do
  name="$(basename "$source" .cpp)"
  target="build-fuzz/fuzz/$name"
  seeds="fuzz/corpus/${name#fuzz_}"
  mkdir -p "$work/$name"
  corpora=("$work/$name")
  if [ -d "$seeds" ]; then corpora+=("$seeds"); fi
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name-" "${corpora[@]}" \
      >"$work/$name.log" 2>&1; then
    tail -n 60 "$work/$name.log"
    echo "$name: a finding (input kept in build-fuzz/findings/)"
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")"
  echo "$name: ${runs:-?} runs in ${seconds} s, no finding"
done
