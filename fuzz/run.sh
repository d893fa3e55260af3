#!/usr/bin/env bash
# Runs the libFuzzer targets of a "fuzz" build. For each target: every input
# under fuzz/regressions/<target>/ once (inputs that once crashed it), then
# fuzzing for a bounded time from a scratch copy of fuzz/corpus/<target>/, so
# that the checked-in corpus never changes. Inputs that crash a target are
# kept in <build-dir>/fuzz-findings/<target>/. Targets run side by side,
# one per core.
# Usage: fuzz/run.sh <build-dir> [seconds-per-target] [target...]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
if (($# < 1)); then
  echo "usage: $0 <build-dir> [seconds-per-target] [target...]" >&2
  exit 2
fi
build="$(cd "$1" && pwd)"
seconds="${2:-45}"
shift $(($# < 2 ? $# : 2))
targets=("$@")
((${#targets[@]})) || targets=(scene_load_fuzzer nk_data_fuzzer shade_sample_fuzzer)

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

replay_regressions() {
  local target="$1" binary="$2" log="$3"
  local inputs=()
  if [[ -d "$here/regressions/$target" ]]; then
    mapfile -t inputs < <(find "$here/regressions/$target" -type f | sort)
  fi
  if ((${#inputs[@]} == 0)); then
    echo "$target: no regression inputs"
    return 0
  fi
  if ! "$binary" "${inputs[@]}" >"$log" 2>&1; then
    cat "$log"
    echo "$target: a regression input fails again (log above)" >&2
    return 1
  fi
  echo "$target: regression inputs replayed: ${#inputs[@]}, no failure"
}

fuzz_target() {
  local target="$1" binary="$2" log="$3"
  local corpus="$scratch/$target" findings="$build/fuzz-findings/$target"
  mkdir -p "$corpus" "$findings"
  cp "$here/corpus/$target"/* "$corpus"/
  local before
  before=$(find "$corpus" -type f | wc -l)
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$target: FAILED; the input is in $findings/ (copy it to fuzz/regressions/$target/ once fixed)" >&2
    return 1
  fi
  local runs after
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  after=$(find "$corpus" -type f | wc -l)
  echo "$target: ${runs:-?} inputs executed in ${seconds} s, corpus $before -> $after inputs, no failure"
}

# Both of a target's steps, reported in one file so that targets fuzzed side
# by side do not mix their lines.
run_target() {
  local target="$1" binary="$build/fuzz/$1"
  if [[ ! -x "$binary" ]]; then
    echo "$target: $binary is missing (configure with --preset fuzz and build)" >&2
    return 1
  fi
  local failed=0
  replay_regressions "$target" "$binary" "$scratch/$target.regressions.log" || failed=1
  fuzz_target "$target" "$binary" "$scratch/$target.log" || failed=1
  return "$failed"
}

# One target per core at a time, each for its full time.
slots=$(nproc)
pids=()
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= slots)); do
    wait -n || true
  done
  run_target "$target" >"$scratch/$target.report" 2>&1 &
  pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
  wait "${pids[$i]}" || failed=1
  cat "$scratch/${targets[$i]}.report"
done
exit "$failed"
