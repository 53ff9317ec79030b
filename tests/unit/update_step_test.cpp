// The update step against fakes of the host and of the windows that record,
// in one list, what the step asked of them and in which order.
#include "ui/update_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display_fakes.h"
#include "display_fixture.h"
#include "engine/reset.h"
#include "locked_state.h"
#include "ui/display_windows.h"
#include "ui/host_link.h"
#include "ui/update_text.h"

namespace {

class UpdateStep : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    const stats::ContestStateLock state;
    state.EndYear() = "2017";
    state.MoscowByBand()[1] = {"AF", "ZZ"};
    state.RdaByBand()[1] = {"MA01", "MA02", "MA03"};
  }

  void Run(bool withHost = true) {
    events.clear();
    stats::RunUpdateStep(platform, withHost ? &host : nullptr, windows);
  }

  void Setting(const char* key, const char* value) {
    platform.WriteProfileString(stats::g_strIniFile, stats::g_strIniSection, key, value);
  }

  // A band row as the call view paints it: from the content the last step
  // handed over.
  static stats::TextList Row(int band) {
    return stats::g_buttonContent ? stats::g_buttonContent->bandRows[band] : stats::TextList{};
  }

  Events events;
  FakeHost host{events};
  FakeWindows windows{events};
};

const std::string kMoscowLine80 = "moscow caption QX9-2017 Moscow worked on 80m 2 of 146";
const std::string kRdaLine80 = "rda caption QX9-2017  RDA worked on 80m 3";

TEST_F(UpdateStep, WithoutACallShowsTheBandsLinesInOrder) {
  SeedRows();
  windows.moscowOpen = windows.rdaOpen = true;
  Run();
  const Events expected = {"kill timer",  "entry",    "frequency", "macro <SP1>",
                           kMoscowLine80, kRdaLine80, "ticks",     "repaint"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(stats::g_nCurBand, 1);
  EXPECT_EQ(stats::g_dLastMacroFreq, host.hz);
  EXPECT_EQ(windows.ticks[stats::MoscowFlagOf("AF")], true);
  for (int band = 0; band < stats::kBandCount; ++band) {
    const stats::TextList expectedRow = {std::string(stats::kBandOrder[band]), "   -", "   -",
                                         "   -"};
    EXPECT_EQ(Row(band), expectedRow) << "band " << band;
  }
}

TEST_F(UpdateStep, WithACallTheRdaWindowKeepsTheCallLine) {
  SeedRows();
  Log("R3A", "80m", At(12, 5), "MO");
  windows.moscowOpen = windows.rdaOpen = true;
  host.call = "R3A";
  Run();
  const Events expected = {
      "kill timer",  "entry",       "frequency", "rda caption QX9-2017 worked with R3A",
      "macro <SP1>", kMoscowLine80, "ticks",     "repaint"};
  EXPECT_EQ(events, expected);
  const stats::TextList row80 = {"80m", "12:05", "MO", "   -"};
  EXPECT_EQ(Row(1), row80);
  ASSERT_TRUE(stats::g_buttonContent);
  EXPECT_EQ(stats::g_buttonContent->call, "R3A") << "the button shows the call view";
}

TEST_F(UpdateStep, WithoutACallTheButtonGetsTheBandsDistrictsSortedAndTheSharedListStays) {
  const stats::TextList shared = {"MO05", "AB01", "MO01"};
  {
    const stats::ContestStateLock state;
    state.RdaByBand()[1] = shared;
  }
  const stats::TextList sorted = {"AB01", "MO01", "MO05"};
  Run();
  ASSERT_TRUE(stats::g_buttonContent);
  EXPECT_EQ(stats::g_buttonContent->band, 1);
  EXPECT_EQ(stats::g_buttonContent->sortedDistricts, sorted);
  EXPECT_EQ(locked::RdaByBand()[1], shared) << "the display writes no contest state";
  host.failAt = "frequency";
  Run();
  EXPECT_EQ(stats::g_buttonContent->sortedDistricts, sorted)
      << "a step without the frequency keeps the band and its districts";
}

TEST_F(UpdateStep, MacroDriftIsMeasuredFromTheLastMacroSent) {
  const struct {
    double hz;
    bool sent;
  } steps[] = {{14'080'000, true}, {14'080'200, false}, {14'080'300, false},
               {14'080'301, true}, {14'080'500, false}, {14'080'602, true}};
  for (const auto& step : steps) {
    host.hz = step.hz;
    Run();
    const bool sent = std::find(events.begin(), events.end(), "macro <SP1>") != events.end();
    EXPECT_EQ(sent, step.sent) << step.hz << " Hz";
  }
}

struct FailureCase {
  const char* member;
  Events events;     // after the kill and the windows' reopening
  bool rowsWritten;  // else nothing was handed over to the button
  int band;            // g_nCurBand after the step
  double lastMacroHz;  // g_dLastMacroFreq after the step
};

TEST_F(UpdateStep, AFailedHostCallEndsTheStepThere) {
  const std::string callLine = "rda caption QX9-2017 worked with R3A";
  const FailureCase cases[] = {
      {"entry", {"kill timer", "entry"}, false, -1, 0.0},
      {"frequency", {"kill timer", "entry", "frequency", callLine}, true, -1, 0.0},
      {"macro", {"kill timer", "entry", "frequency", callLine, "macro <SP1>"}, true, -1, 0.0},
  };
  for (const FailureCase& c : cases) {
    stats::RestoreDisplayLoadState();
    SeedRows();
    Log("R3A", "80m", At(12, 5), "MO");
    windows.moscowOpen = windows.rdaOpen = true;
    host.call = "R3A";
    host.failAt = c.member;
    Run();
    EXPECT_EQ(events, c.events) << c.member;
    const stats::TextList written = {"80m", "12:05", "MO", stats::kBlankColumn};
    EXPECT_EQ(Row(1), c.rowsWritten ? written : stats::TextList{}) << c.member;
    const std::string handedCall = stats::g_buttonContent ? stats::g_buttonContent->call : "";
    EXPECT_EQ(handedCall, c.rowsWritten ? "R3A" : "") << c.member;
    EXPECT_EQ(stats::g_nCurBand, c.band) << c.member;
    EXPECT_EQ(stats::g_dLastMacroFreq, c.lastMacroHz) << c.member;
    EXPECT_EQ(stats::g_strCurCall, c.member == std::string("entry") ? "" : "R3A") << c.member;
  }
}

struct SettingCase {
  const char* key;
  const char* value;
  bool opens;
};

TEST_F(UpdateStep, WithoutHostOnlyReopensWhatTheSettingsLowByteAsks) {
  const SettingCase cases[] = {
      {"RusObl", "1", true},  {"RusObl", "257", true}, {"RusObl", "256", false},
      {"RusObl", "", false},  {"RusObl", "x", false},  {"DXCC", "1", true},
      {"DXCC", "512", false}, {"DXCC", "-1", true},
  };
  for (const SettingCase& c : cases) {
    Setting("RusObl", "0");
    Setting("DXCC", "0");
    Setting(c.key, c.value);
    windows.moscowOpen = windows.rdaOpen = false;
    Run(false);
    Events expected = {"kill timer"};
    if (c.opens) expected.push_back(c.key == std::string("RusObl") ? "open moscow" : "open rda");
    EXPECT_EQ(events, expected) << c.key << "=" << c.value;
    EXPECT_EQ(stats::g_nCurBand, -1) << c.key << "=" << c.value;
  }
}

TEST_F(UpdateStep, AReopenedWindowIsFilledInTheSameStep) {
  Setting("RusObl", "1");
  Run();
  const Events expected = {"kill timer",  "open moscow", "entry", "frequency",
                           "macro <SP1>", kMoscowLine80, "ticks"};
  EXPECT_EQ(events, expected);
  Run();
  EXPECT_EQ(std::count(events.begin(), events.end(), "open moscow"), 0) << "already open";
}

// The reset seeds the rows afresh: the columns of the last step, composed
// from the log the reset emptied, no longer show; the next step fills them.
TEST_F(UpdateStep, TheButtonShowsWhatTheLastStepHandedOver) {
  SeedRows();
  Log("R3A", "80m", At(12, 5), "MO");
  host.call = "R3A";
  Run();
  const std::string blank = stats::kBlankColumn;
  ASSERT_EQ(Row(1), (stats::TextList{"80m", "12:05", "MO", blank}));
  const stats::SharedButtonContent handedOver = stats::g_buttonContent;
  stats::ResetContestState(0, "R3XYZ", At(23, 59), "DL", platform);
  EXPECT_EQ(stats::g_buttonContent, handedOver) << "a reset changes nothing the paint reads";
  EXPECT_EQ(Row(1), (stats::TextList{"80m", "12:05", "MO", blank})) << "after the reset";
  Run();
  EXPECT_EQ(Row(1), (stats::TextList{"80m", blank, blank, blank})) << "the next step";
}

TEST_F(UpdateStep, BeforeTheFirstResetNoRowGrows) {
  Log("R3A", "80m", At(12, 5), "MO");
  host.call = "R3A";
  {
    const stats::ContestStateLock state;
    state.BandRows()[2] = {"40m", "-"};  // a short row beside empty ones
  }
  Run();
  for (int band = 0; band < stats::kBandCount; ++band) {
    EXPECT_EQ(Row(band).size(), band == 2 ? 2u : 0u) << "band " << band;
  }
  EXPECT_EQ(stats::g_nCurBand, 1) << "the step still ran to its end";
}

}  // namespace
