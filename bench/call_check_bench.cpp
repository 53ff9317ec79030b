// CheckCall0 with 100,000 QSOs in the log: a call worked in the current
// hour (blocked) and one that is not.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_env.h"
#include "engine/contest_state.h"
#include "plugin/exports.h"

namespace {

int Check(const std::string& call, const std::string& mode, const std::string& band,
          char* warning) {
  return CheckCall0(call.c_str(), 0, 0, mode.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                    nullptr, nullptr, nullptr, nullptr, band.c_str(), nullptr, nullptr, warning);
}

void BM_CheckCall0_100k(benchmark::State& state, bool blocked) {
  bench::EnsureMostlyAcceptedLog();
  // A QSO from the middle of the log fixes the call, band, mode and hour.
  // Copied: the call check below takes the state lock itself.
  stats::CInfo logged;
  std::size_t logSize;
  {
    const stats::ContestStateLock contest;
    logSize = contest.Log().size();
    logged = contest.Log()[logSize / 2];
  }
  const std::string call = blocked ? logged.m_strCall : std::string("ZZ9ZZZ");
  const std::string band = logged.m_strBand;
  const std::string mode = logged.m_strMode;
  auto& platform = bench::Environment::Get().platform();
  platform.fixedNow = stats::UtcTime{2024, 2, 12, logged.m_dtTime.GetHour(), 30, 0};

  char warning[100] = {};
  const int expected = blocked ? 4 : 1;
  if (Check(call, mode, band, warning) != expected) {
    state.SkipWithError("unexpected answer of the call check");
  } else {
    for (auto _ : state) {
      int answer = Check(call, mode, band, warning);
      benchmark::DoNotOptimize(answer);
    }
  }
  platform.fixedNow.reset();
  state.counters["log"] = static_cast<double>(logSize);
}

}  // namespace

BENCHMARK_CAPTURE(BM_CheckCall0_100k, blocked, true);
BENCHMARK_CAPTURE(BM_CheckCall0_100k, not_blocked, false);
