#!/usr/bin/env bash
# Builds everything and runs every test, stage by stage, each a workflow of
# CMakePresets.json: the g++ build with warnings as errors (main) and, without
# the programs in tools/, built only (tools_off); the clang builds under
# AddressSanitizer/UBSan and ThreadSanitizer; the fuzz targets' regression
# inputs and short runs; the Windows module under Wine, built in the
# Microsoft C++ ABI that 3ds Max speaks, and the two-release package made
# and checked (msvc).
# Usage: scripts/test.sh [stage...]   (stages: main tools_off asan tsan fuzz msvc)
set -euo pipefail
# A step that fails ends the script with status 1; 2 is for usage errors.
trap 'exit 1' ERR
cd "$(dirname "$0")/.."

usage="usage: scripts/test.sh [stage...]   (stages: main tools_off asan tsan fuzz msvc)"
declare -A workflows=(
  [main]=ci [tools_off]=ci-tools-off [asan]=asan [tsan]=tsan [fuzz]=fuzz
  [msvc]="msvc msvc-2026 release-package"
)
case ${1:-} in -h | --help) echo "$usage"; exit 0 ;; esac
stages=("$@")
((${#stages[@]})) || stages=(main tools_off asan tsan fuzz msvc)
for stage in "${stages[@]}"; do
  [[ -n ${workflows[$stage]:-} ]] || { printf 'test.sh: no stage %s\n%s\n' "$stage" "$usage" >&2; exit 2; }
done

bash scripts/setup.sh all

# Every core for the builds and the tests (a preset that needs one at a time
# says so).
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)} CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
# The g++ trees of presets ci, ci-tools-off and package-native compile mostly
# the same objects: ccache, its cache under build/, compiles each once. Paths
# are hashed relative to the tree, so that an object of build/ci serves the
# others.
export CCACHE_DIR=${CCACHE_DIR:-$PWD/build/ccache} CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true

# The Windows trees' tests share one Wine session: a display and a server
# of their own would cost each test program seconds.
run_workflow() {
  case $1 in
    msvc | msvc-2026) scripts/run-under-wine.sh --session "build/$1/wine-prefix" cmake --workflow --preset "$1" ;;
    *) cmake --workflow --preset "$1" ;;
  esac
}

for stage in "${stages[@]}"; do
  echo "== stage: $stage"
  started=$SECONDS
  for workflow in ${workflows[$stage]}; do
    run_workflow "$workflow"
  done
  echo "== stage $stage passed in $((SECONDS - started)) s"
done
