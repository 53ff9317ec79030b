// Thousands of distinct band texts, as a corrupted or hostile log can bring:
// GetResult0 (which puts the band list in band order) and the intake that
// lists every band text once. Both must grow near-linearly with the number
// of distinct bands; compare the 2,000 and 8,000 runs.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "bench_env.h"
#include "engine/contest_state.h"
#include "plugin/exports.h"

namespace {

// `count` distinct band texts in a scrambled order; none is a refused band.
std::vector<std::string> DistinctBands(std::size_t count) {
  std::vector<std::string> bands;
  bands.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    bands.push_back(std::to_string((k * 7919u) % count + 1) + "cm");
  }
  return bands;
}

void BM_GetResult0_DistinctBands(benchmark::State& state) {
  bench::Environment& env = bench::Environment::Get();
  env.Reset();
  env.loadedStream = 0;
  const std::vector<std::string> bands = DistinctBands(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    {
      const stats::ContestStateLock contest;
      contest.Bands() = bands;  // unsorted again for every run
    }
    state.ResumeTiming();
    int result = 0;
    const char* text = GetResult0(&result);
    benchmark::DoNotOptimize(text);
  }
  state.counters["bands"] = static_cast<double>(bands.size());
}

void BM_AddData0_DistinctBands(benchmark::State& state) {
  bench::Environment& env = bench::Environment::Get();
  const std::vector<std::string> bands = DistinctBands(static_cast<std::size_t>(state.range(0)));
  bench::HostQso qso;
  qso.call = "DL1XYZ";
  qso.mode = "RTTY";
  qso.sent = "001";
  qso.rcvd = "0017";
  qso.prefix = "DL";
  qso.freqHz = 3580000u;
  qso.time = ATL::COleDateTime(45366.5, ATL::COleDateTime::valid);
  for (auto _ : state) {
    state.PauseTiming();
    env.Reset();
    state.ResumeTiming();
    for (const std::string& band : bands) {
      qso.band = band;
      benchmark::DoNotOptimize(bench::Environment::Add(qso));
    }
  }
  env.loadedStream = 0;
  state.counters["bands"] = static_cast<double>(bands.size());
}

}  // namespace

BENCHMARK(BM_GetResult0_DistinctBands)
    ->Arg(2000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_AddData0_DistinctBands)
    ->Arg(2000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
