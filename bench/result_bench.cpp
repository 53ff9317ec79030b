// GetResult0 over a log of 100,000 mostly accepted QSOs with thousands of
// distinct districts, next to one bare pass over the same log.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "bench_env.h"
#include "engine/contest_state.h"
#include "plugin/exports.h"

namespace {

void BM_GetResult0_100k(benchmark::State& state) {
  bench::EnsureMostlyAcceptedLog();
  for (auto _ : state) {
    int result = 0;
    const char* text = GetResult0(&result);
    benchmark::DoNotOptimize(text);
  }
  const stats::ContestStateLock contest;
  state.counters["log"] = static_cast<double>(contest.Log().size());
  std::size_t rda = 0;
  for (const auto& band : contest.RdaByBand()) rda += band.size();
  state.counters["rda_districts"] = static_cast<double>(rda);
}

// The floor: read each record's band, call, Moscow and RDA fields once.
// Kept out of line so that an instruction count can single it out. Holds the
// state lock for the pass, as the result computation does.
[[gnu::noinline]] std::size_t SumLogFields() {
  std::size_t sum = 0;
  const stats::ContestStateLock contest;
  for (const stats::CInfo& qso : contest.Log()) {
    sum += qso.m_strBand.size() + qso.m_strCall.size() + qso.m_strMoscow.size() +
           qso.m_strRda.size();
  }
  return sum;
}

void BM_OnePassOverLog_100k(benchmark::State& state) {
  bench::EnsureMostlyAcceptedLog();
  for (auto _ : state) {
    std::size_t sum = SumLogFields();
    benchmark::DoNotOptimize(sum);
  }
  const stats::ContestStateLock contest;
  state.counters["log"] = static_cast<double>(contest.Log().size());
}

// What GetResult0 does besides counting: the "Claimed" write to the settings.
void BM_ClaimedSettingWrite(benchmark::State& state) {
  stats::Platform& platform = bench::Environment::Get().platform();
  for (auto _ : state) {
    bool written =
        platform.WriteProfileString(stats::g_strIniFile, stats::g_strIniSection, "Claimed", "123456");
    benchmark::DoNotOptimize(written);
  }
}

}  // namespace

BENCHMARK(BM_GetResult0_100k)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_OnePassOverLog_100k)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ClaimedSettingWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();
