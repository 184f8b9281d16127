// The benchmarks' entry point.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
