#!/bin/sh
# Runs a Windows program under Wine: run-under-wine.sh <prefix dir> <program> [args...]
#
# The prefix lives in the build tree and is made on first use only (making
# one takes most of a minute); concurrent first runs wait for each other.
# Without a display the program runs under a private Xvfb, and the Wine
# session is ended before that server goes, so no Wine process outlives the
# display it was started on.
set -eu

prefix=$1
shift

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers: nothing here uses .NET or HTML.
export WINEDLLOVERRIDES="mscoree=;mshtml="

for candidate in wine64 /usr/lib/wine/wine64 wine; do
  if command -v "$candidate" >/dev/null 2>&1; then
    wine=$candidate
    break
  fi
done
: "${wine:?no wine64 found}"
wineserver=$(command -v wineserver64 || command -v wineserver || echo /usr/lib/wine/wineserver64)

mkdir -p "$(dirname "$prefix")"
if [ ! -f "$prefix/system.reg" ]; then
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      echo "run-under-wine: creating the Wine prefix $prefix" >&2
      "$wine" wineboot --init >/dev/null 2>&1 || true
      "$wineserver" -w
    fi
  ) 9>"$prefix.lock"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$wine" "$@"
fi

# Inside the private display: run, keep the status, wait for the session's end.
export RUN_UNDER_WINE_SERVER="$wineserver"
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$0" "$@"
  status=$?
  "$RUN_UNDER_WINE_SERVER" -w
  exit $status' "$wine" "$@"
