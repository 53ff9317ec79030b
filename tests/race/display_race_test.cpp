// The display thread's copies of the contest state taken while the host's
// thread appends, removes, resets and recomputes the result, as the entry
// points do: every write under the state lock. Run under the thread
// sanitizer, which reports any access that the lock does not order; the
// assertions check that each copy is one consistent state.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "engine/contest_state.h"
#include "engine/display_snapshot.h"
#include "platform/portable_platform.h"
#include "reports/result.h"

namespace {

constexpr int kWriterRounds = 3000;
constexpr const char* kCall = "R3A";

bool IsClockText(const std::string& text) {
  return text.size() == 5 && std::isdigit(static_cast<unsigned char>(text[0])) &&
         std::isdigit(static_cast<unsigned char>(text[1])) && text[2] == ':' &&
         std::isdigit(static_cast<unsigned char>(text[3])) &&
         std::isdigit(static_cast<unsigned char>(text[4]));
}

stats::CInfo Qso(int n) {
  stats::CInfo qso;
  qso.m_strCall = n % 3 == 0 ? kCall : "UA3X" + std::to_string(n % 50);
  qso.m_strBand = n % 2 == 0 ? "80m" : "40m";
  qso.m_strMode = "RTTY";
  qso.m_strRcvd = "MO";
  qso.m_strMoscow = "MO";
  qso.m_strRda = n % 5 == 0 ? "" : "MA" + std::to_string(10 + n % 80);
  if (!qso.m_strRda.empty()) qso.m_strMoscow.clear();
  qso.m_dtTime = ATL::COleDateTime(42875.0 + (n % 1440) / 1440.0, ATL::COleDateTime::valid);
  return qso;
}

// What the reset does to the state the display reads.
void Reset() {
  const stats::ContestStateLock state;
  state.Log().Clear();
  state.Bands().clear();
  for (int band = 0; band < stats::kBandCount; ++band) {
    state.BandRows()[band] = {std::string(stats::kBandOrder[band]), "-", "-", "-"};
  }
  state.EndYear() = "2017";
}

void HostThread(stats::Platform& platform) {
  for (int round = 0; round < kWriterRounds; ++round) {
    if (round % 1000 == 0) Reset();
    {
      const stats::ContestStateLock state;
      state.Log().Append(Qso(round));
      if (round % 7 == 0 && !state.Log().empty()) state.Log().RemoveAt(0);
    }
    if (round % 100 == 0) stats::ComputeResult(platform);
  }
}

void DisplayThread(const std::atomic<bool>& hostDone, int& steps) {
  stats::AllBandColumns columns;
  for (auto& band : columns) band.fill("   -");
  while (!hostDone.load()) {
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot(kCall, 1);
    for (const auto& last : snapshot.lastQso) {
      if (last) EXPECT_TRUE(IsClockText(last->time)) << '"' << last->time << '"';
    }
    const stats::TextList districts = stats::SortAndCopyRdaDistricts(1);
    EXPECT_TRUE(std::is_sorted(districts.begin(), districts.end())) << "step " << steps;
    const stats::PerBand rows = stats::CopyBandRows();
    for (const stats::TextList& row : rows) {
      EXPECT_TRUE(row.empty() || row.size() == 4) << "row of " << row.size();
    }
    stats::StoreBandColumns(columns);
    ++steps;
  }
}

TEST(DisplayRace, SnapshotsStayConsistentWhileTheHostWrites) {
  const auto previous = std::filesystem::current_path();
  char pattern[] = "/tmp/stats-race-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::filesystem::current_path(pattern);
  std::filesystem::create_directory("Plugins");
  stats::PortablePlatform platform;
  stats::SetCurrentPlatform(&platform);
  stats::RestoreLoadState();

  std::atomic<bool> hostDone{false};
  int steps = 0;
  std::thread display(DisplayThread, std::cref(hostDone), std::ref(steps));
  HostThread(platform);
  hostDone = true;
  display.join();
  EXPECT_GT(steps, 0) << "the display thread never ran";

  stats::SetCurrentPlatform(nullptr);
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(pattern);
}

}  // namespace
