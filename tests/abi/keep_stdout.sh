#!/usr/bin/env bash
# Runs a compile command with its standard output kept in the file $1; the
# lines that name included headers still reach the build tool, which tracks
# the headers by them.
set -o pipefail
out=$1
shift
"$@" | tee "$out" | { grep '^Note: including file:' || true; }
