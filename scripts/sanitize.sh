#!/usr/bin/env bash
# Builds the program, the core's, the command line's and the address book client's tests with
# AddressSanitizer and UndefinedBehaviorSanitizer (gcc) into build-asan/ and runs them there.
# These are the tests that drive the code reading files, typed input and servers' answers
# (the command-line tests run the instrumented program itself); the window tests run once, in
# the normal build. Any finding stops the test that made it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DQUILLMARK_SANITIZE=ON \
  -DCMAKE_CXX_FLAGS= -DCMAKE_EXE_LINKER_FLAGS= \
  -DQUILLMARK_BENCH=OFF >/dev/null
cmake --build build-asan -j "${JOBS:-2}" --target quillmark quillmark_core_tests \
  quillmark_cli_tests quillmark_carddav_tests
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
bash scripts/run-tests.sh build-asan -L '^(core|cli|carddav)$'
