#!/usr/bin/env bash
# Builds the package that 3ds Max users install: one Aurivel.bundle with a
# module for each release whose SDK is given, the atlas of measured metals
# and its start-up scripts, and its zip, in --out (default out/).
# Usage: scripts/package.sh --sdk DIR [--sdk DIR ...] [--out DIR]
#
# CMake reads each SDK folder's release (packaging/SdkRelease.cmake, which
# refuses two folders of one release); the module of each is built through
# preset msvc-sdk in build/package/<year> (incremental on a later run), whose
# build checks its exports and imports, and, for a release whose binary
# interface the stand-in host has (2024, 2026), the module's tests run on it
# in that host (the tree of preset msvc or msvc-2026 with
# AURIVEL_MODULE_UNDER_TEST, under Wine): a module that fails them is not
# packaged. The native preview tool writes the atlas (build/package-native),
# and CPack gathers the releases' modules and the rest into the zip, whose
# contents become the bundle. A module built against a folder that marks
# itself as the project's own (standin-sdk.txt) makes it a test package.
# Nothing in --out changes unless every step succeeds: the package is
# assembled beside it and moved into place at the end, replacing the bundle
# and the zip of the same name of an earlier run; a folder Aurivel.bundle
# that is no Aurivel package is refused.
set -euo pipefail
# A step that fails ends the script with status 1; 2 is for usage errors.
trap 'exit 1' ERR
root=$(cd "$(dirname "$0")/.." && pwd)

usage="usage: scripts/package.sh --sdk DIR [--sdk DIR ...] [--out DIR]"
bad_input() {
  printf 'package.sh: %s\n%s\n' "$1" "$usage" >&2
  exit 2
}

sdks=()
out=$root/out
while (($#)); do
  case $1 in
    --sdk | --out)
      (($# >= 2)) || bad_input "$1 needs a folder"
      if [[ $1 == --sdk ]]; then sdks+=("$2"); else out=$2; fi
      shift 2
      ;;
    -h | --help) echo "$usage"; exit 0 ;;
    *) bad_input "unknown option '$1'" ;;
  esac
done
((${#sdks[@]})) || bad_input "no --sdk folder given"

# "<year> <folder>" for each SDK folder, or fewer lines when CMake has said
# what is wrong with one.
sdk_list=$(IFS=';' && echo "${sdks[*]}")
mapfile -t sdk_releases < <(cmake "-DSDK_DIRS=$sdk_list" -P "$root/packaging/SdkRelease.cmake")
if ((${#sdk_releases[@]} != ${#sdks[@]})); then
  echo "$usage" >&2
  exit 2
fi
declare -A sdk_of_year
for release in "${sdk_releases[@]}"; do
  sdk_of_year[${release%% *}]=${release#* }
done
mapfile -t years < <(printf '%s\n' "${!sdk_of_year[@]}" | sort -n)

# An earlier run's bundle is replaced; anything else of that name is the
# user's and stays.
if [[ -e $out/Aurivel.bundle ]] && ! grep -qs 'Name="Aurivel"' "$out/Aurivel.bundle/PackageContents.xml"; then
  bad_input "--out $out: its Aurivel.bundle is in the way, as it is no Aurivel package"
fi

builds=$root/build/package
steps=$((${#years[@]} + 2))
# The preset whose stand-in host has each release's binary interface.
declare -A host_preset=([2024]=msvc [2026]=msvc-2026)
step=0
progress() {
  step=$((step + 1))
  echo "== [$step/$steps] $*"
}

# Runs the module's tests on <module>, built against <sdk>, in a stand-in
# host of release <year>, or says that no host of that release exists here.
test_module() {
  local year=$1 module=$2 sdk=$3 preset=${host_preset[$1]:-}
  if [[ -z $preset ]]; then
    echo "3ds Max $year: its module was not run (the stand-in host has the binary interface of 2024 and 2026 only)"
    return
  fi
  local tree=$root/build/$preset log=$root/build/package/$year-tests.log
  cmake --preset "$preset" -DAURIVEL_MODULE_UNDER_TEST="$module" -DAURIVEL_MODULE_UNDER_TEST_SDK="$sdk" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" >/dev/null
  if ! scripts/run-under-wine.sh --session "$tree/wine-prefix" ctest --preset "$preset" >"$log" 2>&1; then
    echo "package.sh: the module for 3ds Max $year fails its tests in a host of its release ($log):" >&2
    sed -n '/The following tests FAILED:/,$p' "$log" >&2
    exit 1
  fi
  grep -E "tests passed" "$log"
}

cd "$root"
releases=()
for year in "${years[@]}"; do
  progress "3ds Max $year: the module, built against ${sdk_of_year[$year]}"
  cmake --preset msvc-sdk -B "$builds/$year" -DAURIVEL_MAXSDK_DIR="${sdk_of_year[$year]}" >/dev/null
  cmake --build "$builds/$year" -j "$(nproc)"
  test_module "$year" "$builds/$year/plugin/Aurivel.dlt" "${sdk_of_year[$year]}"
  releases+=("$builds/$year")
done

progress "The preview tool and the atlas of measured metals"
release_trees=$(IFS=';' && echo "${releases[*]}")
native=$root/build/package-native
cmake --preset package-native -DAURIVEL_BUNDLE_RELEASES="$release_trees" >/dev/null
cmake --build "$native" -j "$(nproc)" --target bundle_atlas

progress "Aurivel.bundle and its zip, in $out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d "$out/.package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
cpack --config "$native/CPackConfig.cmake" -B "$stage/zip" >/dev/null
zips=("$stage"/zip/*.zip)
if ((${#zips[@]} != 1)) || [[ ! -f ${zips[0]} ]]; then
  echo "package.sh: cpack made ${zips[*]}, not one zip" >&2
  exit 1
fi
mkdir "$stage/bundle"
(cd "$stage/bundle" && cmake -E tar xf "${zips[0]}")
rm -rf "$out/Aurivel.bundle"
mv "$stage/bundle/Aurivel.bundle" "$out/Aurivel.bundle"
mv "${zips[0]}" "$out/"
echo "Wrote $out/Aurivel.bundle and $out/$(basename "${zips[0]}") for 3ds Max ${years[*]}"
