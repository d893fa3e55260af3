#include <benchmark/benchmark.h>

// The one main of aurivel_bench; every other file here only registers
// benchmarks.
BENCHMARK_MAIN();
