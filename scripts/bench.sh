#!/usr/bin/env bash
# Measures what one shading sample costs and prints the README's table:
# nanoseconds per sample (medians over repetitions), the ratios that the
# evaluation is held to, two-thread scaling, and the machine it ran on.
# Usage: scripts/bench.sh [--repetitions N] [--instructions] [--wine] [--build-dir DIR]
#   --instructions  also counts instructions per sample under callgrind,
#                   which is independent of the machine's load.
#   --wine          also times EvalColor of the Windows module, the one users
#                   install (preset msvc), under Wine, beside the Linux one.
#   --build-dir     measure an already configured build instead of building
#                   the default preset.
set -euo pipefail
# A step that fails ends the script with status 1; 2 is for usage errors.
trap 'exit 1' ERR
cd "$(dirname "$0")/.."

usage="usage: scripts/bench.sh [--repetitions N] [--instructions] [--wine] [--build-dir DIR]"
bad_input() {
  printf 'bench.sh: %s\n%s\n' "$1" "$usage" >&2
  exit 2
}

repetitions=7
instructions=false
wine=false
build_dir=
while (($#)); do
  case "$1" in
    --repetitions | --build-dir)
      (($# >= 2)) || bad_input "$1 needs a value"
      if [[ $1 == --repetitions ]]; then repetitions=$2; else build_dir=$2; fi
      shift 2
      ;;
    --instructions) instructions=true; shift ;;
    --wine) wine=true; shift ;;
    -h | --help) echo "$usage"; exit 0 ;;
    *) bad_input "unknown option '$1'" ;;
  esac
done
[[ $repetitions =~ ^[1-9][0-9]*$ ]] || bad_input "--repetitions $repetitions: not a count of at least 1"

if [[ -z $build_dir ]]; then
  bash scripts/setup.sh build
  cmake --preset default >/dev/null
  build_dir=build/default
  cmake --build --preset default -j "$(nproc)" --target aurivel_bench >/dev/null
else
  cmake --build "$build_dir" -j "$(nproc)" --target aurivel_bench >/dev/null
fi
bench=$build_dir/bench/aurivel_bench

results=$(mktemp)
trap 'rm -f "$results"' EXIT
"$bench" --benchmark_filter='^Eval/(exact|bare|map|update|ratios)' \
  --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_out="$results" --benchmark_out_format=json >/dev/null

# Callgrind counts a fixed number of samples twice over (N and 2N); the
# difference holds no set-up.
count_instructions() {
  local setting=$1 samples counts=()
  for samples in 65536 131072; do
    local log
    log=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect='*PerSample*' \
      "$bench" --benchmark_filter="^Eval/counted/map/$setting/iterations:$samples\$" 2>&1 >/dev/null)
    counts+=("$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' <<<"$log")")
  done
  echo $(((counts[1] - counts[0]) / 65536))
}
if $instructions; then
  export AURIVEL_INSTRUCTIONS_DEFAULT AURIVEL_INSTRUCTIONS_ADJUSTED
  AURIVEL_INSTRUCTIONS_DEFAULT=$(count_instructions default)
  AURIVEL_INSTRUCTIONS_ADJUSTED=$(count_instructions adjusted)
  export AURIVEL_INSTRUCTIONS_GLIBC_POWF
  AURIVEL_INSTRUCTIONS_GLIBC_POWF=$(count_instructions adjusted_glibc_powf)
fi

# The Windows module's EvalColor, timed in the same run: "setting ns" lines.
if $wine; then
  bash scripts/setup.sh windows
  cmake --preset msvc >/dev/null
  cmake --build --preset msvc -j "$(nproc)" --target eval_color_timing >/dev/null
  export AURIVEL_WINE_TIMES
  AURIVEL_WINE_TIMES=$(scripts/run-under-wine.sh build/msvc/wine-prefix build/msvc/bin/eval_color_timing.exe)
fi

python3 - "$results" <<'EOF'
import json, os, re, subprocess, sys

data = json.load(open(sys.argv[1]))
# With one repetition there are no aggregates: each run is its own median.
medians = {b["run_name"]: b for b in data["benchmarks"] if b.get("aggregate_name", "median") == "median"}

def ns(name):
    return medians[name]["cpu_time"]

def rate(name):
    return medians[name]["items_per_second"]

ratios = medians["Eval/ratios/iterations:1"]
lscpu = subprocess.run(["lscpu"], capture_output=True, text=True).stdout
model = re.search(r"Model name:\s*(.+)", lscpu).group(1).strip()
cores = os.cpu_count()
load = " ".join(f"{x:.2f}" for x in os.getloadavg())

repetitions = medians["Eval/exact_fresnel_rgb"]["repetitions"]
print(f"Machine: {model}, {cores} cores; load average after the run {load}; "
      f"medians of {repetitions} repetitions.")
print()
print("| Per sample | ns (CPU, median) |")
print("|---|---:|")
for label, name in [
    ("Exact complex Fresnel, three channels", "Eval/exact_fresnel_rgb"),
    ("ShadeSample, default parameters", "Eval/bare_sample/default"),
    ("ShadeSample, hue 10, sat 5, gamma 2.2", "Eval/bare_sample/adjusted"),
    ("EvalColor through the map, default parameters", "Eval/map/default"),
    ("EvalColor through the map, hue 10, sat 5, gamma 2.2", "Eval/map/adjusted"),
    ("the same with glibc's powf for the power", "Eval/map/adjusted_glibc_powf"),
    ("the same with LLVM's correctly rounded powf", "Eval/map/adjusted_llvm_powf"),
    ("Update inside the validity interval", "Eval/update/cache_hit"),
    ("Update that reads the nine values", "Eval/update/cache_miss"),
]:
    print(f"| {label} | {ns(name):.1f} |")
print()
print("| Ratio (interleaved rounds, median) | measured | target |")
print("|---|---:|---:|")
for label, counter, target in [
    ("EvalColor default / exact Fresnel", "map_default/exact", "≤ 0.30"),
    ("EvalColor adjusted / exact Fresnel", "map_adjusted/exact", "≤ 0.45"),
    ("EvalColor default / ShadeSample", "map_default/bare", "≤ 1.15"),
    ("EvalColor adjusted / ShadeSample", "map_adjusted/bare", "≤ 1.15"),
    ("Update hit / Update miss", "update_hit/miss", "≤ 0.05"),
    ("EvalColor adjusted, our power / glibc's powf", "map_adjusted/glibc_powf", "≤ 1.10"),
    ("EvalColor adjusted, our power / LLVM's powf", "map_adjusted/llvm_powf", ""),
]:
    print(f"| {label} | {ratios[counter]:.3f} | {target} |")
one = rate("Eval/map_threads/real_time/threads:1")
two = rate("Eval/map_threads/real_time/threads:2")
print(f"| Two threads / one thread, samples per second "
      f"({one / 1e6:.1f} M/s and {two / 1e6:.1f} M/s) | {two / one:.2f} | ≥ 1.9 |")
# Wall-clock scaling needs two idle cores; the CPU time per sample shows
# whether the threads slow each other down (shared writes, false sharing).
print(f"| CPU time per sample, two threads / one thread "
      f"({ns('Eval/map_threads/real_time/threads:2'):.1f} ns and "
      f"{ns('Eval/map_threads/real_time/threads:1'):.1f} ns) | "
      f"{ns('Eval/map_threads/real_time/threads:2') / ns('Eval/map_threads/real_time/threads:1'):.2f} | |")
if os.environ.get("AURIVEL_WINE_TIMES"):
    wine = dict(line.split() for line in os.environ["AURIVEL_WINE_TIMES"].splitlines() if line.strip())
    print()
    print("| EvalColor per sample, ns (median) | Linux module (g++, CPU time) | Windows module under Wine (wall time) |")
    print("|---|---:|---:|")
    print(f"| default parameters | {ns('Eval/map/default'):.1f} | {float(wine['default']):.1f} |")
    print(f"| hue 10, sat 5, gamma 2.2 | {ns('Eval/map/adjusted'):.1f} | {float(wine['adjusted']):.1f} |")
if os.environ.get("AURIVEL_INSTRUCTIONS_DEFAULT"):
    print()
    print("| Instructions per EvalColor (callgrind) | count |")
    print("|---|---:|")
    print(f"| default parameters | {os.environ['AURIVEL_INSTRUCTIONS_DEFAULT']} |")
    print(f"| hue 10, sat 5, gamma 2.2 | {os.environ['AURIVEL_INSTRUCTIONS_ADJUSTED']} |")
    print(f"| the same with glibc's powf | {os.environ['AURIVEL_INSTRUCTIONS_GLIBC_POWF']} |")
EOF
