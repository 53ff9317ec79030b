// The simulator's ADIF reader over 1 MB of text: a well-formed log, and a
// run of '<' that never closes, which must cost about the same.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "adif_reader.h"

namespace {

constexpr std::size_t kTextSize = std::size_t{1} << 20;

std::string WellFormedLog() {
  const std::string record =
      "<CALL:5>R3ABC<QSO_DATE:8>20261205<TIME_ON:4>1405<BAND:3>80m<MODE:4>RTTY<EOR>\n";
  std::string text;
  while (text.size() < kTextSize) text += record;
  return text;
}

void ReadAll(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    orvosim::AdifFile file = orvosim::ReadAdif(text);
    benchmark::DoNotOptimize(file);
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations() * text.size()));
}

void BM_ReadAdif_WellFormed_1MB(benchmark::State& state) { ReadAll(state, WellFormedLog()); }

void BM_ReadAdif_UnclosedTags_1MB(benchmark::State& state) {
  ReadAll(state, std::string(kTextSize, '<'));
}

BENCHMARK(BM_ReadAdif_WellFormed_1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAdif_UnclosedTags_1MB)->Unit(benchmark::kMillisecond);

}  // namespace
