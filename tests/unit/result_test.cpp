// The result table and score: GetResult0's text, the band order it leaves
// in the shared band list, the per-band district lists it rebuilds, the
// points and the "Claimed" setting.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/contest_rules.h"
#include "locked_state.h"
#include "module_fixture.h"
#include "platform/profile_text.h"
#include "plugin/exports.h"
#include "reports/result.h"
#include "reports/station.h"

namespace {

using stats::TextList;

constexpr const char* kIniFile = "Plugins\\KESTREL-RTTY.ini";

std::string Header(const std::string& endDate, const std::string& ownCall) {
  return "  \tKESTREL-RTTY " + endDate + "\r\n\t    Contestant: " + ownCall +
         " \r\n\tQSOs\tPoints\tMoscow\tRDA\r\n";
}

// The points of a row of Moscow calls and other calls, worked by a station
// outside Moscow: for the tests that count points without pinning them.
long long Points(long long moscowCalls, long long otherCalls) {
  return moscowCalls * stats::kPointsAcrossMoscowBoundary +
         otherCalls * stats::kPointsWithinOneSide;
}

std::string Joined(const TextList& list) {
  std::string text;
  for (const std::string& item : list) text += (text.empty() ? "" : ",") + item;
  return "{" + text + "}";
}

class ResultTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    stats::g_cabrilloLog = stats::CCabrilloLog{};
    const stats::ContestStateLock state;
    state.EndDate() = "24.02.2024";
    state.OwnCall() = "DL1ABC";
  }

  static void SetOutput(int output) {
    const stats::ContestStateLock state;
    state.Output() = output;
  }

  // A logged QSO as the intake stores it; only these fields count here.
  void Log(const std::string& band, const std::string& call, const std::string& moscow = "",
           const std::string& rda = "", int skip = 0) {
    stats::CInfo qso;
    qso.m_strBand = band;
    qso.m_strCall = call;
    qso.m_strMoscow = moscow;
    qso.m_strRda = rda;
    qso.m_strMode = "RTTY";
    qso.m_nSkip = skip;
    const stats::ContestStateLock state;
    state.Log().Append(qso);
    bool known = false;
    for (const std::string& b : state.Bands()) known = known || b == band;
    if (!known) state.Bands().push_back(band);
  }

  std::string Result() {
    int untouched = 0;
    return GetResult0(&untouched);
  }

  // The text up to the score line; the credit follows it.
  std::string WithoutCredit(const std::string& text) {
    const std::size_t score = text.find("\r\nScore: = ");
    if (score == std::string::npos) return text;
    const std::size_t end = text.find("\r\n", score + 2);
    return end == std::string::npos ? text : text.substr(0, end + 2);
  }

  std::string Credit(const std::string& text) { return text.substr(WithoutCredit(text).size()); }

  std::string Claimed() {
    return stats::FindProfileValue(ReadFile(kIniFile), "Settings", "Claimed").value_or("<none>");
  }
};

TEST_F(ResultTest, EmptyLogGivesHeaderZeroTotalsScoreLineAndCredit) {
  const std::string text = Result();
  EXPECT_EQ(WithoutCredit(text), Header("24.02.2024", "DL1ABC") + "Total\t 0\t 0\t 0\t 0\r\n" +
                                     "\r\nScore: = 0*(0+0)= 0\r\n")
      << "empty log";
  EXPECT_EQ(Claimed(), "0") << "empty log";
}

TEST_F(ResultTest, CreditIsOneLineWithoutLineBreakAtTheEnd) {
  const std::string credit = Credit(Result());
  EXPECT_FALSE(credit.empty()) << "no credit after the score line";
  EXPECT_EQ(credit.find_first_of("\r\n"), std::string::npos) << "credit \"" << credit << "\"";
}

// 80m: UA3CT (AB), DL1XYZ, RA3AB (AA): 2 Moscow calls, 1 other -> 2*5+1 = 11.
// 40m: RA3AB (AA), R2AZ (AA again), UA9ABC (RDA MO12) -> 11; AA counts once.
// An empty call and a skipped record add nothing. AA counts on both bands.
// Score = 22 * (3 + 1) = 88.
TEST_F(ResultTest, BandRowsInBandOrderTotalsAndScore) {
  Log("40m", "RA3AB", "AA");
  Log("80m", "UA3CT", "AB");
  Log("40m", "R2AZ", "AA");
  Log("80m", "DL1XYZ");
  Log("40m", "UA9ABC", "", "MO12");
  Log("80m", "RA3AB", "AA");
  Log("40m", "", "ZZ", "XX99");
  Log("40m", "RX3AX", "YY", "SV01", 1);
  const std::string text = Result();
  EXPECT_EQ(WithoutCredit(text), Header("24.02.2024", "DL1ABC") +
                                     "80m\t 3\t 11\t 2\t 0\r\n"
                                     "40m\t 3\t 11\t 1\t 1\r\n"
                                     "Total\t 6\t 22\t 3\t 1\r\n"
                                     "\r\nScore: = 22*(3+1)= 88\r\n")
      << "two-band log";
  EXPECT_EQ(stats::g_nScore, 88) << "two-band log";
  EXPECT_EQ(Claimed(), "88") << "two-band log";
  EXPECT_EQ(Joined(locked::Bands()), "{80m,40m}") << "band list after the result";
  EXPECT_EQ(Joined(locked::MoscowByBand()[1]), "{AB,AA}") << "80m Moscow list";
  EXPECT_EQ(Joined(locked::MoscowByBand()[2]), "{AA}") << "40m Moscow list";
  EXPECT_EQ(Joined(locked::RdaByBand()[1]), "{}") << "80m RDA list";
  EXPECT_EQ(Joined(locked::RdaByBand()[2]), "{MO12}") << "40m RDA list";
}

// The host reads the returned text after the call and may make other calls
// first; only the next result request may replace it.
TEST_F(ResultTest, ReturnedTextStaysTheComposedTableUntilTheNextResult) {
  Log("80m", "RA3AB", "AA");
  int untouched = 0;
  const char* returned = GetResult0(&untouched);
  ASSERT_NE(returned, nullptr);
  const std::string table = returned;
  const std::string points = std::to_string(Points(1, 0));
  EXPECT_EQ(WithoutCredit(table), Header("24.02.2024", "DL1ABC") + "80m\t 1\t " + points +
                                      "\t 1\t 0\r\nTotal\t 1\t " + points + "\t 1\t 0\r\n" +
                                      "\r\nScore: = " + points + "*(1+0)= " + points + "\r\n");

  Log("40m", "UA3CT", "AB");
  char warning[100] = {};
  CheckCall0("UA3CT", 0u, 0u, "RTTY", "", "", "", "", "", "", "", "", "", "", 0, 0, 0, 0.0, 0.0,
             "", "", "", "", "", "40m", "", nullptr, warning);
  IsValidExchg0("AB", "", "UA", "", 0, 0, 0);
  GetSetName(0);
  RunCommand0(0, "SHOWINFO");
  EXPECT_EQ(std::string(returned), table) << "the text after other calls";

  EXPECT_NE(Result(), table) << "the next result counts the 40m QSO";
}

TEST_F(ResultTest, PointsDependOnWhetherTheOwnCallIsAMoscowCall) {
  // Three Moscow calls and two others on 80m.
  const struct {
    const char* ownCall;
    int points;
  } cases[] = {
      {"DL1ABC", 17},  // outside Moscow: 3*5 + 2
      {"RA3AX", 13},   // Moscow: 2*5 + 3
      {"3A2MW", 17},   // fragment only at index 0: not a Moscow call
  };
  for (const auto& c : cases) {
    stats::RestoreLoadState();
    {
      const stats::ContestStateLock state;
      state.EndDate() = "24.02.2024";
      state.OwnCall() = c.ownCall;
    }
    for (const char* call : {"RA3AB", "R2AZ", "UA3CT", "DL1XYZ", "3A2MW"}) Log("80m", call);
    const std::string points = std::to_string(c.points);
    EXPECT_EQ(WithoutCredit(Result()), Header("24.02.2024", c.ownCall) +
                                           "80m\t 5\t " + points + "\t 0\t 0\r\n" +
                                           "Total\t 5\t " + points + "\t 0\t 0\r\n" +
                                           "\r\nScore: = " + points + "*(0+0)= 0\r\n")
        << "own call " << c.ownCall;
  }
}

TEST_F(ResultTest, BandSortLeavesDescendingPaddedOrderInTheBandList) {
  const struct {
    std::vector<std::string> logged;
    const char* sorted;
  } cases[] = {
      {{"40m", "80m"}, "{80m,40m}"},
      {{"10m", "160m", "20m", "80m", "15m", "40m"}, "{160m,80m,40m,20m,15m,10m}"},
      {{"80m", "40m"}, "{80m,40m}"},
      // Padded with "0" to 20 characters: "6m" and "2m" fall behind "80m",
      // "70cm" (one more digit position) comes before "160m".
      {{"6m", "160m", "2m", "80m"}, "{160m,80m,6m,2m}"},
      {{"80m", "70cm", "160m"}, "{70cm,160m,80m}"},
  };
  for (const auto& c : cases) {
    stats::RestoreLoadState();
    std::string logged;
    for (const std::string& band : c.logged) {
      Log(band, "DL1XYZ");
      logged += band + " ";
    }
    const std::string text = Result();
    EXPECT_EQ(Joined(locked::Bands()), c.sorted) << "bands logged " << logged;
    // The rows follow the same order.
    std::string rows;
    for (const std::string& band : locked::Bands()) rows += band + "\t 1\t 1\t 0\t 0\r\n";
    EXPECT_NE(text.find("RDA\r\n" + rows + "Total\t "), std::string::npos)
        << "rows for bands logged " << logged << " in\n" << text;
  }
}

// The band order as the plain exchange sort leaves it: the reference the
// result's order must match, ties of equal padded texts included.
std::vector<std::string> ExchangeSorted(std::vector<std::string> bands) {
  const auto padded = [](const std::string& band) {
    return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
  };
  for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
    for (std::size_t j = i + 1; j < bands.size(); ++j) {
      if (padded(bands[i]) < padded(bands[j])) std::swap(bands[i], bands[j]);
    }
  }
  return bands;
}

TEST_F(ResultTest, BandsEqualAfterPaddingKeepTheExchangeSortsOrder) {
  const std::vector<std::vector<std::string>> cases = {
      {"80m", "080m", "160m"},
      {"080m", "80m", "0080m", "40m", "160m", "0160m"},
      {"10m", "010m", "0010m", "00010m", "70cm", "2m", "02m", "160m"},
      {"2m", "02m", "002m", "0002m", "00002m", "10m", "20m", "40m", "80m", "160m"},
      {"0000000000000000080m", "80m", "080m", "90m", "0080m"},
  };
  for (const std::vector<std::string>& logged : cases) {
    stats::RestoreLoadState();
    std::string text;
    for (const std::string& band : logged) {
      Log(band, "DL1XYZ");
      text += band + " ";
    }
    Result();
    EXPECT_EQ(locked::Bands(), ExchangeSorted(logged)) << "bands logged " << text;
  }
}

TEST_F(ResultTest, RandomBandListsWithManyTiesKeepTheExchangeSortsOrder) {
  // Cores with up to five leading zeros each, drawn in a fixed pseudo-random
  // order (a linear congruential sequence), every text at most once.
  const char* const cores[] = {"1", "2m", "6m", "10m", "80m", "9", "160m", "70cm"};
  uint32_t seed = 2024;
  const auto next = [&seed](uint32_t bound) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % bound;
  };
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> logged;
    const uint32_t length = 2 + next(40);
    for (uint32_t k = 0; k < length; ++k) {
      const std::string band = std::string(next(6), '0') + cores[next(8)];
      if (std::find(logged.begin(), logged.end(), band) == logged.end()) logged.push_back(band);
    }
    {
      const stats::ContestStateLock state;
      state.Bands() = logged;
    }
    Result();
    std::string text;
    for (const std::string& band : logged) text += band + " ";
    EXPECT_EQ(locked::Bands(), ExchangeSorted(logged)) << "round " << round << ": " << text;
  }
}

TEST_F(ResultTest, TwentyThousandDistinctBandsComeOutInDescendingPaddedOrder) {
  // Distinct keys, so the order is the plain descending order of the padded
  // texts; the list is given in a scrambled order.
  constexpr uint32_t kBands = 20000;
  std::vector<std::string> logged;
  for (uint32_t k = 0; k < kBands; ++k) {
    logged.push_back(std::to_string((k * 7919u) % kBands + 1) + "m");
  }
  {
    const stats::ContestStateLock state;
    state.Bands() = logged;
  }
  Result();
  std::vector<std::string> expected = logged;
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    return std::string(20 - a.size(), '0') + a > std::string(20 - b.size(), '0') + b;
  });
  const stats::TextList sorted = locked::Bands();
  ASSERT_EQ(sorted.size(), expected.size()) << "20000 bands";
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    ASSERT_EQ(sorted[k], expected[k]) << "position " << k << " of 20000 bands";
  }
}

TEST_F(ResultTest, BandAddedLaterIsSortedInAtTheNextResult) {
  Log("40m", "DL1XYZ");
  Result();
  Log("160m", "DL1XYZ");
  Log("80m", "DL1XYZ");
  EXPECT_EQ(Joined(locked::Bands()), "{40m,160m,80m}") << "before the second result";
  Result();
  EXPECT_EQ(Joined(locked::Bands()), "{160m,80m,40m}") << "after the second result";
}

TEST_F(ResultTest, PerBandListsKeepOrderOfFirstAppearanceWithoutRepeats) {
  for (const char* district : {"AC", "AA", "AC", "AB", "AA"}) Log("80m", "RA3AB", district);
  for (const char* district : {"TL03", "MO12", "TL03"}) Log("80m", "UA9ABC", "", district);
  const std::string text = Result();
  EXPECT_EQ(Joined(locked::MoscowByBand()[1]), "{AC,AA,AB}") << "80m Moscow list";
  EXPECT_EQ(Joined(locked::RdaByBand()[1]), "{TL03,MO12}") << "80m RDA list";
  // 5 Moscow calls and 3 others; districts 3 + 2.
  const std::string points = std::to_string(Points(5, 3));
  const std::string score = std::to_string(Points(5, 3) * 5);
  EXPECT_NE(text.find("80m\t 8\t " + points + "\t 3\t 2\r\nTotal\t 8\t " + points +
                      "\t 3\t 2\r\n\r\nScore: = " + points + "*(3+2)= " + score + "\r\n"),
            std::string::npos)
      << text;
}

TEST_F(ResultTest, ListsOfPresentBandsAreRebuiltAndOthersKept) {
  {
    const stats::ContestStateLock state;
    state.MoscowByBand()[1] = {"STALE"};  // 80m: present, rebuilt
    state.RdaByBand()[1] = {"OLD1"};
    state.MoscowByBand()[3] = {"KEEP"};  // 20m: absent, kept
    state.RdaByBand()[5] = {"KP01"};     // 10m: absent, kept
  }
  Log("80m", "RA3AB", "AB");
  Result();
  EXPECT_EQ(Joined(locked::MoscowByBand()[1]), "{AB}") << "80m Moscow list";
  EXPECT_EQ(Joined(locked::RdaByBand()[1]), "{}") << "80m RDA list";
  EXPECT_EQ(Joined(locked::MoscowByBand()[3]), "{KEEP}") << "20m Moscow list";
  EXPECT_EQ(Joined(locked::RdaByBand()[5]), "{KP01}") << "10m RDA list";
}

// A band without a slot has its own row and counts in the totals, but its
// districts go into no per-band list and leave every other list alone.
TEST_F(ResultTest, BandWithoutASlotCountsButTouchesNoPerBandList) {
  const struct {
    const char* name;
    std::vector<std::string> bands;  // the band of each QSO, in order
  } cases[] = {
      {"6m alone", {"6m"}},
      {"6m behind 160m", {"160m", "6m"}},
      {"6m between 80m and 40m", {"40m", "6m", "80m"}},
  };
  for (const auto& c : cases) {
    stats::RestoreLoadState();
    {
      const stats::ContestStateLock state;
      state.OwnCall() = "DL1ABC";
      for (int slot = 0; slot < stats::kBandCount; ++slot) {
        state.MoscowByBand()[slot] = {"K" + std::to_string(slot)};
        state.RdaByBand()[slot] = {"KP0" + std::to_string(slot)};
      }
    }
    for (const std::string& band : c.bands) {
      if (band == "6m") {
        Log(band, "UA3CT", "AB");
        Log(band, "UA9ABC", "", "SV01");
      } else {
        Log(band, "RA3AB", "AA");
      }
    }
    const std::string text = Result();
    const std::string row6m = "6m\t 2\t " + std::to_string(Points(1, 1)) + "\t 1\t 1\r\n";
    EXPECT_NE(text.find(row6m), std::string::npos) << c.name << "\n" << text;
    const int others = static_cast<int>(c.bands.size()) - 1;
    const std::string totals = "Total\t " + std::to_string(2 + others) + "\t " +
                               std::to_string(Points(1 + others, 1)) + "\t " +
                               std::to_string(1 + others) + "\t 1\r\n";
    EXPECT_NE(text.find(totals), std::string::npos) << c.name << ": want " << totals << text;
    for (int slot = 0; slot < stats::kBandCount; ++slot) {
      bool present = false;
      for (const std::string& band : c.bands) present = present || stats::BandSlot(band) == slot;
      const std::string moscow = present ? "{AA}" : "{K" + std::to_string(slot) + "}";
      const std::string rda = present ? "{}" : "{KP0" + std::to_string(slot) + "}";
      EXPECT_EQ(Joined(locked::MoscowByBand()[slot]), moscow) << c.name << ", Moscow slot " << slot;
      EXPECT_EQ(Joined(locked::RdaByBand()[slot]), rda) << c.name << ", RDA slot " << slot;
    }
  }
}

TEST_F(ResultTest, ClaimedIsWrittenOnEveryCall) {
  Log("80m", "RA3AB", "AA");
  Result();
  EXPECT_EQ(Claimed(), std::to_string(Points(1, 0) * 1)) << "first result: one district";
  Log("80m", "R2AZ", "AB");
  Result();
  const std::string second = std::to_string(Points(2, 0) * 2);
  EXPECT_EQ(Claimed(), second) << "second result: two districts";
  EXPECT_EQ(ReadFile(kIniFile), "[Settings]\r\nClaimed=" + second + "\r\n") << "settings file";

  SetOutput(1);
  stats::g_cabrilloLog.m_strFileBase = "DL1ABC";
  Log("40m", "UA9ABC", "", "MO12");
  int value = 0;
  GetResult0(&value);
  // 80m: two Moscow calls, 2 Moscow districts; 40m: one other call, 1 RDA.
  EXPECT_EQ(Claimed(), std::to_string(Points(2, 1) * 3)) << "result in output mode";
}

TEST_F(ResultTest, ResultValueIsLeftAloneOutsideOutputModeAndMinusOneInIt) {
  Log("80m", "RA3AB", "AA");
  int value = 12345;
  GetResult0(&value);
  EXPECT_EQ(value, 12345) << "outside output mode";
  EXPECT_TRUE(platform.messages.empty()) << "outside output mode no message is shown";

  SetOutput(1);
  stats::g_cabrilloLog.m_strFileBase = "DL1ABC";
  value = 12345;
  const std::string text = GetResult0(&value);
  EXPECT_EQ(value, -1) << "in output mode";
  EXPECT_EQ(platform.messages.size(), 1u) << "in output mode the export reports once";
  const std::string row = "80m\t 1\t " + std::to_string(Points(1, 0)) + "\t 1\t 0\r\n";
  EXPECT_NE(text.find(row), std::string::npos) << "in output mode " << text;
}

TEST_F(ResultTest, NullResultPointerIsNeverWritten) {
  Log("80m", "RA3AB", "AA");
  for (int output : {0, 1}) {
    SetOutput(output);
    stats::g_cabrilloLog.m_strFileBase = "DL1ABC";
    const char* text = GetResult0(nullptr);
    ASSERT_NE(text, nullptr) << "output mode " << output;
    const std::string points = std::to_string(Points(1, 0));
    EXPECT_NE(std::string(text).find("Score: = " + points + "*(1+0)= " + points + "\r\n"),
              std::string::npos)
        << "output mode " << output << ": " << text;
  }
}

}  // namespace
