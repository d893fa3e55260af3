#!/bin/sh
# Runs a Windows program under Wine:
#   run-under-wine.sh <prefix dir> <program> [args...]
# or runs a command whose Windows programs (started through this script)
# share one Wine session, one display and one running wineserver:
#   run-under-wine.sh --session <prefix dir> <command> [args...]
# A program on its own pays for a display, a server start and the wait for
# the server's end, a few seconds each time; in a session it starts in a
# fraction of a second. scripts/test.sh runs the cross build's tests in one:
#   run-under-wine.sh --session build/msvc/wine-prefix ctest --test-dir build/msvc
#
# The prefix lives in the build tree and is made on first use only (making
# one takes most of a minute); concurrent first runs wait for each other.
# Without a display the program (or the session) runs under a private Xvfb,
# and the Wine session is ended before that server goes, so no Wine process
# outlives the display it was started on.
#
# A program that crashes prints where it crashed and its stack, and fails,
# at once: winedbg, which Wine starts on a crash, is told in the prefix to
# show no dialog, which under Xvfb nobody would close.
set -eu

usage="usage: run-under-wine.sh [--session] <prefix dir> <program or command> [args...]"
case ${1:-} in
  -h | --help) echo "$usage"; exit 0 ;;
esac
session=false
if [ "${1:-}" = --session ]; then
  session=true
  shift
fi
if [ $# -lt 2 ]; then
  echo "$usage" >&2
  exit 2
fi
script=$(realpath "$0")
# Wine wants the prefix as an absolute path.
prefix=$(realpath -m "$1")
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

# Wine gives a crashed program's status as 0 now and then: a program whose
# unhandled exception Wine reports on its error output fails whatever its
# status. Its output and error output stay apart.
run_failing_on_crash() {
  report=$(mktemp -d)
  { { "$@" && echo 0 >"$report/status" || echo $? >"$report/status"; } 2>&1 1>&3 3>&- |
    awk -v crashed="$report/crashed" '{ print; fflush() } /^wine: Unhandled / { printf "" >crashed }' >&2; } 3>&1
  status=$(cat "$report/status")
  if [ "$status" = 0 ] && [ -e "$report/crashed" ]; then
    status=1
  fi
  rm -rf "$report"
  return "$status"
}

no_crash_dialog='"ShowCrashDialog"=dword:00000000'
prefix_ready() {
  [ -f "$prefix/system.reg" ] && grep -qsF "$no_crash_dialog" "$prefix/user.reg"
}
mkdir -p "$(dirname "$prefix")"
if ! prefix_ready; then
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      echo "run-under-wine: creating the Wine prefix $prefix" >&2
      "$wine" wineboot --init >/dev/null 2>&1 || true
    fi
    if ! grep -qsF "$no_crash_dialog" "$prefix/user.reg"; then
      "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    fi
    "$wineserver" -w
  ) 9>"$prefix.lock"
fi

if $session; then
  # The server stays up until the command is done, then takes the session's
  # programs down with it. The session's own services start first, with no
  # hold on the output of a program whose end someone waits for.
  set -- sh -c '
    "$RUN_UNDER_WINE_SERVER" -p
    "$RUN_UNDER_WINE" wineboot </dev/null >/dev/null 2>&1
    "$@"
    status=$?
    "$RUN_UNDER_WINE_SERVER" -k
    "$RUN_UNDER_WINE_SERVER" -w
    exit $status' wine-session "$@"
elif [ -n "${DISPLAY:-}" ]; then
  status=0
  run_failing_on_crash "$wine" "$@" || status=$?
  exit "$status"
else
  # Inside the private display: this script again, then wait for the
  # session's end.
  set -- sh -c '
    "$0" "$@"
    status=$?
    "$RUN_UNDER_WINE_SERVER" -w
    exit $status' "$script" "$prefix" "$@"
fi

export RUN_UNDER_WINE="$wine" RUN_UNDER_WINE_SERVER="$wineserver"
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
