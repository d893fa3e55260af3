#!/usr/bin/env bash
# Builds everything and runs every test: the g++ build with warnings as
# errors, the clang builds under AddressSanitizer/UBSan and ThreadSanitizer,
# short fuzzing runs, and the Windows module under Wine, built in the
# Microsoft C++ ABI that 3ds Max speaks.
# Usage: scripts/test.sh [stage...]   (stages: main asan tsan fuzz msvc)
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
((${#stages[@]})) || stages=(main asan tsan fuzz msvc)

bash scripts/setup.sh all

jobs=$(nproc)

configure_and_build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

stage_main() {
  configure_and_build ci
  ctest --preset ci -j "$jobs"
}

stage_asan() {
  configure_and_build asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --preset asan -j "$jobs"
}

stage_tsan() {
  configure_and_build tsan
  TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j "$jobs" -L concurrent --no-tests=error
}

stage_fuzz() {
  configure_and_build fuzz
  bash fuzz/run.sh build/fuzz "${AURIVEL_FUZZ_SECONDS:-45}"
}

# One Wine session for all the tests of a Windows build: a display and a
# server of their own would cost each test program seconds. One test at a
# time, as the rollout tests read back what their windows show on the
# shared display.
test_under_wine() {
  tests/wine/run-under-wine.sh --session "build/$1/wine-prefix" \
    ctest --test-dir "build/$1" --output-on-failure
}

# The stand-in lays out its SDK folder (build/msvc/maxsdk) and the module is
# built against it, as against the real SDK.
stage_msvc() {
  configure_and_build msvc
  test_under_wine msvc
}

for stage in "${stages[@]}"; do
  echo "== stage: $stage"
  started=$SECONDS
  "stage_$stage"
  echo "== stage $stage passed in $((SECONDS - started)) s"
done
