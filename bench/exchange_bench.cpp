// IsValidExchg0 for a Russian station's four-character district against the
// loaded list of 3,000 RDA codes, next to the plain scan of the same codes
// that the check must not degrade to.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "bench_env.h"
#include "engine/contest_state.h"
#include "plugin/exports.h"

namespace {

enum class Where { Early, Last, Absent };

void EnsureRdaList() {
  bench::Environment& env = bench::Environment::Get();
  {
    const stats::ContestStateLock contest;
    if (contest.RdaCodes().size() == bench::kRdaCodeCount) return;
  }
  env.Reset();
  env.loadedStream = 0;
}

std::string CodeAt(Where where) {
  const std::vector<std::string>& codes = bench::Environment::Get().rdaCodes();
  switch (where) {
    case Where::Early: return codes[1];
    case Where::Last: return codes.back();
    case Where::Absent: return "ZZ99";
  }
  return {};
}

bool LinearContains(const std::vector<std::string>& codes, std::string_view code) {
  for (const std::string& candidate : codes) {
    if (candidate == code) return true;
  }
  return false;
}

void BM_IsValidExchg0(benchmark::State& state, Where where) {
  EnsureRdaList();
  const std::string code = CodeAt(where);
  const int expected = where == Where::Absent ? 0 : 1;
  if (IsValidExchg0(code.c_str(), nullptr, "UA", nullptr, 0, 0, 0) != expected) {
    state.SkipWithError("unexpected answer for the code");
    return;
  }
  for (auto _ : state) {
    const char* exchange = code.c_str();
    benchmark::DoNotOptimize(exchange);
    int valid = IsValidExchg0(exchange, nullptr, "UA", nullptr, 0, 0, 0);
    benchmark::DoNotOptimize(valid);
  }
  const stats::ContestStateLock contest;
  state.counters["codes"] = static_cast<double>(contest.RdaCodes().size());
}

void BM_LinearScanOfCodes(benchmark::State& state, Where where) {
  EnsureRdaList();
  std::vector<std::string> codes;
  {
    const stats::ContestStateLock contest;
    codes = contest.RdaCodes().codes();
  }
  const std::string code = CodeAt(where);
  for (auto _ : state) {
    const char* exchange = code.c_str();
    benchmark::DoNotOptimize(exchange);
    bool found = LinearContains(codes, exchange);
    benchmark::DoNotOptimize(found);
  }
  state.counters["codes"] = static_cast<double>(codes.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_IsValidExchg0, early, Where::Early);
BENCHMARK_CAPTURE(BM_IsValidExchg0, last, Where::Last);
BENCHMARK_CAPTURE(BM_IsValidExchg0, absent, Where::Absent);
BENCHMARK_CAPTURE(BM_LinearScanOfCodes, early, Where::Early);
BENCHMARK_CAPTURE(BM_LinearScanOfCodes, last, Where::Last);
BENCHMARK_CAPTURE(BM_LinearScanOfCodes, absent, Where::Absent);
