// The update step's composition: the rows of the call's last QSO per band,
// the lines in both languages, the macro rule and the Moscow ticks.
#include "ui/update_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display_fixture.h"
#include "engine/moscow_table.h"

namespace {

struct LoggedQso {
  const char* call;
  const char* band;
  int hour, minute;
  const char* rcvd;
};
struct RowCase {
  const char* name;
  std::vector<LoggedQso> log;
  const char* typed;
  int band;          // the one row expected filled, -1: none
  const char* time;  // its columns
  const char* rcvd;
};

using CallPartTest = DisplayTest;

TEST_F(CallPartTest, FillsOnlyTheRowOfTheCallsLastQsoOnThatBand) {
  const RowCase cases[] = {
      {"last of two wins",
       {{"R3A", "80m", 12, 5, "MO"}, {"R3A", "80m", 13, 10, "MA"}},
       "R3A",
       1,
       "13:10",
       "MA"},
      {"other calls ignored",
       {{"R3A", "40m", 9, 0, "MO"}, {"R3AB", "40m", 10, 0, "AF"}},
       "R3A",
       2,
       "09:00",
       "MO"},
      {"case-sensitive call", {{"R3A", "80m", 12, 5, "MO"}}, "r3a", -1, "", ""},
      {"band without a slot", {{"R3A", "30m", 12, 5, "MO"}}, "R3A", -1, "", ""},
      {"band text exact", {{"R3A", "80M", 12, 5, "MO"}}, "R3A", -1, "", ""},
      {"no call typed", {{"", "80m", 12, 5, "MO"}}, "", -1, "", ""},
  };
  for (const RowCase& c : cases) {
    stats::RestoreLoadState();
    for (const LoggedQso& q : c.log) Log(q.call, q.band, At(q.hour, q.minute), q.rcvd);
    const stats::CallPart part =
        stats::ComposeCallPart(c.typed, stats::TakeDisplaySnapshot(c.typed, -1));
    for (int band = 0; band < stats::kBandCount; ++band) {
      const bool filled = band == c.band;
      EXPECT_EQ(part.columns[band][0], filled ? c.time : stats::kBlankColumn) << c.name << band;
      EXPECT_EQ(part.columns[band][1], filled ? c.rcvd : stats::kBlankColumn) << c.name << band;
      EXPECT_EQ(part.columns[band][2], stats::kBlankColumn) << c.name << " band " << band;
    }
  }
}

struct MacroCase {
  double last, hz;
  bool send;
};

TEST(FrequencyPart, SendsTheMacroOnlyBeyond300HzFromTheLastOne) {
  const MacroCase cases[] = {{0.0, 14'080'000, true},        {14'080'000, 14'080'300, false},
                             {14'080'000, 14'080'301, true}, {14'080'000, 14'079'700, false},
                             {14'080'000, 14'079'699, true}, {14'080'000, 14'080'000, false},
                             {7'030'000, 29'000'000, true}};
  for (const MacroCase& c : cases) {
    const stats::FrequencyPart part = stats::ComposeFrequencyPart(c.hz, c.last, {});
    EXPECT_EQ(part.sendMacro, c.send) << c.last << " -> " << c.hz;
    EXPECT_EQ(part.lastMacroFreq, c.send ? c.hz : c.last) << c.last << " -> " << c.hz;
  }
}

stats::DisplaySnapshot Snapshot(int russian, std::size_t moscow, std::size_t rda) {
  stats::DisplaySnapshot snapshot;
  snapshot.russian = russian;
  snapshot.endYear = "2017";
  for (std::size_t i = 0; i < moscow; ++i)
    snapshot.moscowDistricts.push_back(stats::g_pszMoscowCodes[i]);
  snapshot.rdaCount = rda;
  return snapshot;
}

TEST(FrequencyPart, LinesInEitherLanguage) {
  const stats::FrequencyPart english =
      stats::ComposeFrequencyPart(3'550'000, 0, Snapshot(0, 12, 7));
  EXPECT_EQ(english.moscowLine, "QX9-2017 Moscow worked on 80m 12 of 146");
  EXPECT_EQ(english.rdaLine, "QX9-2017  RDA worked on 80m 7");

  const stats::FrequencyPart russian =
      stats::ComposeFrequencyPart(7'030'000, 0, Snapshot(1, 12, 25));
  // "QX9-2017  Москва на 40m 12 из 146 рай." and "QX9-2017 RDA районы отраб. на 40m"
  EXPECT_EQ(russian.moscowLine,
            "QX9-2017  \xCC\xEE\xF1\xEA\xE2\xE0 \xED\xE0 40m 12 \xE8\xE7 146 \xF0\xE0\xE9.");
  EXPECT_EQ(russian.rdaLine,
            "QX9-2017 RDA \xF0\xE0\xE9\xEE\xED\xFB \xEE\xF2\xF0\xE0\xE1. \xED\xE0 40m");

  EXPECT_EQ(stats::ComposeCallLine("2017", "R3A", 0), "QX9-2017 worked with R3A");
  // "QX9-2017 проведено с R3A"
  EXPECT_EQ(stats::ComposeCallLine("2017", "R3A", 1),
            "QX9-2017 \xEF\xF0\xEE\xE2\xE5\xE4\xE5\xED\xEE \xF1 R3A");
}

TEST(FrequencyPart, TicksTheBandsDistrictsAndNothingWithoutABand) {
  stats::DisplaySnapshot snapshot = Snapshot(0, 0, 0);
  snapshot.moscowDistricts = {"AF", "ZZ", "BK"};
  const stats::FrequencyPart on80 = stats::ComposeFrequencyPart(3'550'000, 0, snapshot);
  for (int flag = 0; flag < stats::kMoscowFlagCount; ++flag) {
    const std::string code = stats::MoscowFlagCodes()[flag];
    EXPECT_EQ(on80.ticks[flag], code == "AF" || code == "ZZ" || code == "BK") << code;
  }

  const stats::FrequencyPart noBand = stats::ComposeFrequencyPart(10'120'000, 0, snapshot);
  EXPECT_EQ(noBand.band, -1);
  for (int flag = 0; flag < stats::kMoscowFlagCount; ++flag) {
    EXPECT_FALSE(noBand.ticks[flag]) << "10.12 MHz, flag " << flag;
  }
  const std::string noBandText = stats::BandTextForLines(-1);
  EXPECT_EQ(noBand.moscowLine, "QX9-2017 Moscow worked on " + noBandText + " 0 of 146");
}

}  // namespace
