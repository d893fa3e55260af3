#!/usr/bin/env bash
# Builds everything and runs every test: the g++ build with warnings as
# errors (and, without the programs in tools/, built only), the clang builds under AddressSanitizer/UBSan and ThreadSanitizer,
# short fuzzing runs, and the Windows module under Wine, built in the
# Microsoft C++ ABI that 3ds Max speaks.
# Usage: scripts/test.sh [stage...]   (stages: main tools_off asan tsan fuzz msvc)
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
((${#stages[@]})) || stages=(main tools_off asan tsan fuzz msvc)

bash scripts/setup.sh all

jobs=$(nproc)

configure_and_build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

# The g++ trees of presets ci, ci-tools-off and package-native compile mostly
# the same objects: ccache, its cache under build/, compiles each once. Paths
# are hashed relative to the tree, so that an object of build/ci serves the
# others.
export CCACHE_DIR=$PWD/build/ccache CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true

stage_main() {
  configure_and_build ci
  ctest --preset ci -j "$jobs"
}

# The libraries, tests and benchmarks build without the tools; what the
# tests run is stage main's.
stage_tools_off() {
  ccache --zero-stats >/dev/null
  configure_and_build ci-tools-off
  ccache --show-stats | grep -E "^ *(Hits|Misses):"
}

stage_asan() {
  configure_and_build asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --preset asan -j "$jobs"
}

# Only the concurrent tests run under ThreadSanitizer, so only their programs
# are built.
stage_tsan() {
  cmake --preset tsan >/dev/null
  cmake --build --preset tsan -j "$jobs" --target concurrent_tests
  TSAN_OPTIONS=halt_on_error=1 ctest --preset tsan -j "$jobs" -L concurrent --no-tests=error
}

stage_fuzz() {
  configure_and_build fuzz
  bash fuzz/run.sh build/fuzz "${AURIVEL_FUZZ_SECONDS:-20}"
}

# One Wine session for all the tests of a Windows build: a display and a
# server of their own would cost each test program seconds. One test at a
# time, as the rollout tests read back what their windows show on the
# shared display.
test_under_wine() {
  local tree=$1
  shift
  scripts/run-under-wine.sh --session "build/$tree/wine-prefix" \
    ctest --test-dir "build/$tree" --output-on-failure "$@"
}

# The stand-in lays out its SDK folder (build/msvc/maxsdk) and the module is
# built against it, as against the real SDK, in the binary interface of 3ds
# Max 2024 and, in build/msvc-2026, of 2026. Then the package of two releases
# is made as a maintainer makes it from Autodesk's SDKs (scripts/package.sh,
# which builds each module through preset msvc-sdk, checks its imports and
# runs its tests in the host of its release): from the stand-in's folder
# (2024) and from an SDK-shaped folder of 2026, made from the 2026 stand-in's,
# that asks of the build what the real one does. Each module is loaded by a
# host of each release, and the bundled atlas is opened in Chromium.
stage_msvc() {
  # Each tree's own package; the module tests run in both trees on the
  # package's modules (scripts/package.sh), which are built from the same
  # sources against the trees' SDK folders.
  configure_and_build msvc
  test_under_wine msvc -L package
  configure_and_build msvc-2026
  test_under_wine msvc-2026 -L package
  local folder=$PWD/build/sdk-folder-2026 out=$PWD/build/package-test
  cmake -DSTANDIN_INCLUDE=build/msvc-2026/maxsdk/include -DHOST_EXPORTS=tests/wine/host_exports.txt \
    -DDLLTOOL=llvm-dlltool -DFOLDER="$folder" -P tests/sdk_folder/make_sdk_folder.cmake
  rm -rf "$out"
  local started_package=$SECONDS
  bash scripts/package.sh --sdk build/msvc/maxsdk --sdk "$folder" --out "$out"
  echo "== the package made in $((SECONDS - started_package)) s"
  local version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/msvc/CMakeCache.txt)
  scripts/run-under-wine.sh --session build/msvc/wine-prefix python3 tests/package/check_release_bundle.py \
    --out "$out" --version "$version" --years 2024 2026 --host build/msvc/bin/release_host.exe \
    --wine-prefix build/msvc/wine-prefix
  /usr/bin/python3 tests/atlas/atlas_page_test.py "$out/Aurivel.bundle/Contents/atlas" MetalsScriptTest \
    AtlasPageTest.test_loads_without_errors_in_the_console AtlasPageTest.test_one_card_per_book_with_its_pages_numbers \
    AtlasPageTest.test_every_picture_loads
}

for stage in "${stages[@]}"; do
  echo "== stage: $stage"
  started=$SECONDS
  "stage_$stage"
  echo "== stage $stage passed in $((SECONDS - started)) s"
done
