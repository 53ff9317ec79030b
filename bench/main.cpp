// The benchmark driver: the working directory and the platform are set up
// once for the whole run, before the first benchmark.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>

#include "bench_env.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  try {
    bench::Environment::Get().Create();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "cannot prepare the working directory: %s\n", e.what());
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  bench::Environment::Get().Destroy();
  benchmark::Shutdown();
  return 0;
}
