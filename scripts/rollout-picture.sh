#!/usr/bin/env bash
# Writes docs/rollout.png: the map's rollout as Windows' dialog manager lays
# it out from the module's own dialog template. It builds the Windows module
# (preset msvc, with the rollout page of resources/Aurivel.rc inside) and the
# test host that opens a new map in the stand-in's material editor, whose
# custom controls (spinners, colour swatches, the output page) are drawn
# plainly; under Wine and Xvfb the host creates the page from the module's
# template, paints it and copies what the window shows into a PNG
# (tests/wine/rollout_picture_test.cpp), which is stored here recompressed.
# Usage: scripts/rollout-picture.sh [output.png]   (default docs/rollout.png)
set -euo pipefail
# A step that fails ends the script with status 1; 2 is for usage errors.
trap 'exit 1' ERR
repo="$(cd "$(dirname "$0")/.." && pwd)"
usage="usage: scripts/rollout-picture.sh [output.png]"
if (($# > 1)); then
  printf 'rollout-picture: one picture at most\n%s\n' "$usage" >&2
  exit 2
fi
case ${1:-} in
  -h | --help) echo "$usage"; exit 0 ;;
  -*) printf 'rollout-picture: unknown option %s\n%s\n' "$1" "$usage" >&2; exit 2 ;;
esac
out="$(realpath -m -- "${1:-$repo/docs/rollout.png}")"
case "$out" in
  *.png) ;;
  *) printf 'rollout-picture: %s: the picture'"'"'s name must end in .png\n%s\n' "$out" "$usage" >&2; exit 2 ;;
esac

cd "$repo"
bash scripts/setup.sh build windows
cmake --preset msvc >/dev/null
cmake --build --preset msvc -j "$(nproc)" --target wine_module_test

taken=build/msvc/tests/wine/rollout.png
rm -f "$taken"
scripts/run-under-wine.sh build/msvc/wine-prefix build/msvc/bin/wine_module_test.exe \
  --gtest_filter=RolloutInEditor.IsDrawnAndSavedAsPng
test -s "$taken" || { echo "rollout-picture: the host wrote no $taken" >&2; exit 1; }

# The host's PNG is stored uncompressed; the same pixels deflated are a
# tenth of its size. Written aside and moved into place, so a failed write
# leaves no half picture.
python3 - "$taken" "$out" <<'EOF'
import os, struct, sys, zlib

source, target = sys.argv[1:]
data = open(source, "rb").read()
signature = b"\x89PNG\r\n\x1a\n"
if not data.startswith(signature):
    sys.exit("rollout-picture: %s is no PNG" % source)
chunks, at, pixels = [], len(signature), b""
while at < len(data):
    size, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + size]
    if kind == b"IDAT":
        pixels += body
    elif kind != b"IEND":
        chunks.append((kind, body))
    at += 12 + size
chunks += [(b"IDAT", zlib.compress(zlib.decompress(pixels), 9)), (b"IEND", b"")]
aside = target + ".part"
with open(aside, "wb") as f:
    f.write(signature)
    for kind, body in chunks:
        f.write(struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body)))
os.replace(aside, target)
print("Wrote", target)
EOF
