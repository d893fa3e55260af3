#!/usr/bin/env bash
# The main job: builds Aurivel.dlt and the preview tool, loads the module as the
# host does and renders the default copper map to preview.png (or to the file
# given with -o; every other argument goes to the tool, see --help). Paths in
# the arguments are taken from the folder it is called from, as is preview.png.
# What the build says goes to stderr: stdout is the tool's alone, so that
# "scripts/preview.sh --maxscript > map.ms" holds the script and nothing else.
set -euo pipefail
# A step that fails ends the script with status 1; 2 is for usage errors.
trap 'exit 1' ERR
repo="$(cd "$(dirname "$0")/.." && pwd)"

(
  cd "$repo"
  bash scripts/setup.sh build
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)" --target Aurivel aurivel-preview
) >&2
exec "$repo/build/default/tools/preview/aurivel-preview" "$@"
