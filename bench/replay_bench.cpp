// The whole contest replayed through the exports: a reset, 100,000 QSOs of
// a realistic mix (seven in ten refused) and the result. Next to it the
// journal's own share: the same open/append/close cycles of err.txt through
// the platform, writing the very lines the replay wrote.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_env.h"
#include "engine/contest_state.h"
#include "engine/journal.h"
#include "plugin/exports.h"

namespace {

constexpr unsigned kReplayStreamId = 1;

struct Replay {
  std::vector<bench::HostQso> stream;
  std::vector<std::string> lines;  // the journal lines, header excluded
  std::vector<int> lineOfQso;      // index into lines, -1 when none written
  std::size_t accepted = 0;
};

// Generates the stream and runs it once, noting which QSO wrote which line.
const Replay& GetReplay() {
  static Replay* replay = [] {
    auto* r = new Replay;
    bench::Environment& env = bench::Environment::Get();
    r->stream = env.MakeStream(bench::kLogSize, {70, 1});
    env.Reset();
    std::uintmax_t size = std::filesystem::file_size(stats::kJournalPath);
    for (bench::HostQso& q : r->stream) {
      r->accepted += static_cast<std::size_t>(bench::Environment::Add(q));
      const std::uintmax_t now = std::filesystem::file_size(stats::kJournalPath);
      r->lineOfQso.push_back(now != size ? static_cast<int>(r->lines.size()) : -1);
      if (now != size) r->lines.emplace_back();
      size = now;
    }
    std::string journal;
    env.platform().ReadFile(stats::kJournalPath, journal);
    std::size_t at = journal.find("\r\n") + 2;  // past the header
    for (std::string& line : r->lines) {
      const std::size_t end = journal.find("\r\n", at) + 2;
      line = journal.substr(at, end - at);
      at = end;
    }
    env.loadedStream = kReplayStreamId;
    return r;
  }();
  return *replay;
}

void BM_Replay100k(benchmark::State& state) {
  const Replay& replay = GetReplay();
  std::vector<bench::HostQso> stream = replay.stream;
  std::size_t accepted = 0;
  for (auto _ : state) {
    bench::Environment::Get().Reset();
    accepted = 0;
    for (bench::HostQso& q : stream) accepted += static_cast<std::size_t>(bench::Environment::Add(q));
    int result = 0;
    const char* text = GetResult0(&result);
    benchmark::DoNotOptimize(text);
  }
  bench::Environment::Get().loadedStream = kReplayStreamId;
  if (accepted != replay.accepted) state.SkipWithError("the replay accepted a different count");
  state.counters["qsos"] = static_cast<double>(stream.size());
  state.counters["accepted"] = static_cast<double>(accepted);
  state.counters["journal_lines"] = static_cast<double>(replay.lines.size());
}

void BM_JournalOnly100k(benchmark::State& state) {
  const Replay& replay = GetReplay();
  stats::Platform& platform = bench::Environment::Get().platform();
  for (auto _ : state) {
    platform.WriteFile(stats::kJournalPath, stats::kJournalHeader);
    for (int line : replay.lineOfQso) {
      std::unique_ptr<stats::AppendFile> file = platform.OpenForAppend(stats::kJournalPath);
      if (file && line >= 0) file->Write(replay.lines[static_cast<std::size_t>(line)]);
    }
  }
  state.counters["cycles"] = static_cast<double>(replay.lineOfQso.size());
  state.counters["journal_lines"] = static_cast<double>(replay.lines.size());
}

}  // namespace

BENCHMARK(BM_Replay100k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_JournalOnly100k)->Unit(benchmark::kMillisecond)->UseRealTime();
