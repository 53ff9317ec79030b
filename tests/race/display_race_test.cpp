// The display thread's copies of the contest state taken while the host's
// thread appends, removes, resets and recomputes the result: once writing
// the state as the entry points do, once through the entry points
// themselves (checks included). Every write is under the state lock. Run
// under the thread sanitizer, which reports any access that the lock does
// not order; the assertions check that each copy is one consistent state.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "engine/contest_state.h"
#include "engine/display_snapshot.h"
#include "platform/portable_platform.h"
#include "plugin/exports.h"
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
  while (!hostDone.load()) {
    const stats::DisplaySnapshot snapshot = stats::TakeDisplaySnapshot(kCall, 1);
    for (const auto& last : snapshot.lastQso) {
      if (last) {
        EXPECT_TRUE(IsClockText(last->time)) << '"' << last->time << '"';
      }
    }
    for (const stats::TextList& row : snapshot.seededRows) {
      EXPECT_TRUE(row.empty() || row.size() == 4) << "row of " << row.size();
    }
    const stats::TextList districts = stats::TakeDisplaySnapshot("", 1).sortedRdaDistricts;
    EXPECT_TRUE(std::is_sorted(districts.begin(), districts.end())) << "step " << steps;
    ++steps;
  }
}

// The host's thread as the host drives it: resets, QSOs in and out, call
// checks and results through the entry points.
void HostThroughExports() {
  ATL::COleDateTime end(46362.99, ATL::COleDateTime::valid), unused(0.0, ATL::COleDateTime::null);
  const char* x = "";
  for (int round = 0; round < kWriterRounds / 3; ++round) {
    if (round % 200 == 0) {
      ResetStats0(x, 0, "R3XYZ", &unused, &end, x, x, x, x, x, x, x, x, x, "UA", 0, 0, 0, 0.0, 0.0,
                  x, x, x);
    }
    const stats::CInfo qso = Qso(round);
    ATL::COleDateTime time = qso.m_dtTime;
    const std::string rcvd = qso.m_strRda.empty() ? "MO" : qso.m_strRda;
    auto entry = round % 9 == 8 ? &RemoveData0 : &AddData0;
    entry("R3XYZ", qso.m_strCall.c_str(), &time, &unused, &unused, &unused, 0, 3520000, "RTTY",
          "599", "599", "001", rcvd.c_str(), x, x, x, x, x, x, x, x, x, "UA", 0, 0, 0, 0.0, 0.0, x,
          x, x, qso.m_strBand.c_str(), x);
    char warning[100] = {};
    CheckCall0(kCall, 0, 0, "RTTY", x, x, x, x, x, x, x, x, x, x, 0, 0, 0, 0.0, 0.0, x, x, x, x, x,
               "80m", x, nullptr, warning);
    int flag = 0;
    if (round % 50 == 0) GetResult0(&flag);
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

  // Once writing the state directly, once through the entry points (with
  // the district file and "Start" = 1 in place, so no reset opens a window).
  std::ofstream("Plugins/rda_rus.dat") << "MA-10\nMA-11\nMA-12\nMA-13\nMA-14\n";
  for (const bool exports : {false, true}) {
    std::ofstream("Plugins/KESTREL-RTTY.ini") << "[Settings]\nStart=1\n";
    std::atomic<bool> hostDone{false};
    int steps = 0;
    std::thread display(DisplayThread, std::cref(hostDone), std::ref(steps));
    if (exports) {
      HostThroughExports();
    } else {
      HostThread(platform);
    }
    hostDone = true;
    display.join();
    EXPECT_GT(steps, 0) << "the display thread never ran" << (exports ? ", exports" : "");
  }

  stats::SetCurrentPlatform(nullptr);
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(pattern);
}

}  // namespace
