// The display's update step without its windows and host, with 100,000 QSOs
// in the log and the typed call logged on three bands; the lock-holding part
// (the snapshot) alone; and the RDA window's sort and copy of 2,600
// districts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench_env.h"
#include "engine/contest_state.h"
#include "engine/display_snapshot.h"
#include "engine/moscow_table.h"
#include "ui/rda_button_layout.h"
#include "ui/update_text.h"

namespace {

constexpr unsigned kDisplayStreamId = 0xD15;
constexpr const char* kTypedCall = "R3TEST";
constexpr double kFrequencyHz = 3'550'000;  // 80m
constexpr int kBand = 1;
constexpr int kRdaDistricts = 2600;

stats::CInfo Qso(std::string call, const char* band, std::size_t n) {
  stats::CInfo qso;
  qso.m_strCall = std::move(call);
  qso.m_strBand = band;
  qso.m_strMode = "RTTY";
  qso.m_strRcvd = std::to_string(n % 10000);
  qso.m_dtTime =
      ATL::COleDateTime(45366.0 + static_cast<double>(n) / 100000.0, ATL::COleDateTime::valid);
  return qso;
}

stats::TextList RdaDistricts() {
  stats::TextList codes;
  for (int i = 0; i < kRdaDistricts; ++i) {
    char code[8];
    std::snprintf(code, sizeof code, "%c%c%02d", 'A' + i / 2600 % 26, 'A' + i / 100 % 26, i % 100);
    codes.push_back(code);
  }
  return codes;
}

// Fills the state directly: the log, the seeded rows and the lists of 80m.
void EnsureDisplayState() {
  bench::Environment& env = bench::Environment::Get();
  if (env.loadedStream == kDisplayStreamId) return;
  const stats::ContestStateLock contest;
  stats::QsoLog& log = contest.Log();
  log.Clear();
  for (std::size_t n = 0; n < bench::kLogSize; ++n) {
    const char* band = n % 2 == 0 ? "80m" : "40m";
    // The typed call early, in the middle and late, each on its own band.
    if (n == 10 || n == bench::kLogSize / 2 || n == bench::kLogSize - 11) {
      const char* typedBand = n == 10 ? "20m" : band;
      log.Append(Qso(kTypedCall, typedBand, n));
    } else {
      log.Append(Qso(std::string("UA3") + std::to_string(n % 30000), band, n));
    }
  }
  for (int band = 0; band < stats::kBandCount; ++band) {
    contest.BandRows()[band] = {std::string(stats::kBandOrder[band]), "-", "-", "-"};
  }
  contest.RdaByBand()[kBand] = RdaDistricts();
  contest.MoscowByBand()[kBand].assign(stats::g_pszMoscowCodes, stats::g_pszMoscowCodes + 138);
  contest.EndYear() = "2017";
  env.loadedStream = kDisplayStreamId;
}

void BM_DisplayStep_100k(benchmark::State& state) {
  EnsureDisplayState();
  const std::string call = kTypedCall;
  for (auto _ : state) {
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot(call, kBand);
    const stats::CallPart callPart = stats::ComposeCallPart(call, snapshot);
    const stats::FrequencyPart frequencyPart =
        stats::ComposeFrequencyPart(kFrequencyHz, 0.0, snapshot);
    benchmark::DoNotOptimize(callPart);
    benchmark::DoNotOptimize(frequencyPart);
  }
  const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot(call, kBand);
  state.counters["bands_found"] =
      static_cast<double>(std::count_if(snapshot.lastQso.begin(), snapshot.lastQso.end(),
                                        [](const auto& last) { return last.has_value(); }));
}

// The part of the step that holds the state lock.
void BM_DisplaySnapshot_100k(benchmark::State& state) {
  EnsureDisplayState();
  const std::string call = kTypedCall;
  for (auto _ : state) {
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot(call, kBand);
    benchmark::DoNotOptimize(snapshot);
  }
}

// The host removing a QSO near the start of the log (all later positions of
// the call index shift) and the next snapshot: both hold the state lock.
void BM_RemovalThenSnapshot_100k(benchmark::State& state) {
  EnsureDisplayState();
  const std::string call = kTypedCall;
  for (auto _ : state) {
    {
      const stats::ContestStateLock contest;
      stats::CInfo first = contest.Log()[0];
      contest.Log().RemoveAt(0);
      contest.Log().Append(std::move(first));
    }
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot(call, kBand);
    benchmark::DoNotOptimize(snapshot);
  }
}

// The district view's snapshot: the band's districts copied under the lock
// and sorted once it is released (from reversed order).
void BM_DistrictSnapshot_2600(benchmark::State& state) {
  EnsureDisplayState();
  for (auto _ : state) {
    state.PauseTiming();
    {
      const stats::ContestStateLock contest;
      stats::TextList& districts = contest.RdaByBand()[kBand];
      std::sort(districts.rbegin(), districts.rend());  // reversed order
    }
    state.ResumeTiming();
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot("", kBand);
    benchmark::DoNotOptimize(snapshot);
  }
}

// Measures as the caption font gives them at 96 DPI: 13-pixel lines, digits
// and capitals about 8 pixels wide.
stats::TextMeasures CaptionFontMeasures() {
  stats::TextMeasures measures;
  measures.lineHeight = 13;
  measures.averageWidth = 8;
  measures.advances.fill(8);
  return measures;
}

// What the district view composes before it draws: the band's districts
// copied and sorted (from reversed order), then laid out in a 600 x 400
// button.
void BM_DistrictViewComposition_2600(benchmark::State& state) {
  EnsureDisplayState();
  const stats::PixelRect button{0, 0, 600, 400};
  for (auto _ : state) {
    state.PauseTiming();
    {
      const stats::ContestStateLock contest;
      stats::TextList& districts = contest.RdaByBand()[kBand];
      std::sort(districts.rbegin(), districts.rend());
    }
    state.ResumeTiming();
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot("", kBand);
    const stats::ButtonPicture picture = stats::LayoutDistrictView(
        snapshot.sortedRdaDistricts, kBand, button, CaptionFontMeasures());
    benchmark::DoNotOptimize(picture);
  }
}

}  // namespace

BENCHMARK(BM_DistrictViewComposition_2600)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_DisplayStep_100k)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_DisplaySnapshot_100k)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RemovalThenSnapshot_100k)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_DistrictSnapshot_2600)->Unit(benchmark::kMicrosecond)->UseRealTime();
