// AddData0 and RemoveData0 through the DLL: the verdict, the exact bytes of
// the journal err.txt, and what the result then counts.
#include <string>

#include "host_fixture.h"

namespace host {
namespace {

constexpr const char* kJournalHeader = "KESTREL-RTTY UBN file \r\n";

// The QSO every case starts from: a serial-number QSO on 80m logged at
// 2024-03-09 14:05, 3585.123 kHz.
Qso BaseQso() {
  Qso qso;
  qso.time = MakeDateTime(2024, 3, 9, 14, 5);
  return qso;
}

// The totals row of the result text ("" when there is none).
std::string TotalsRow(const std::string& result) {
  const std::size_t begin = result.find("Total\t");
  if (begin == std::string::npos) return "";
  return result.substr(begin, result.find("\r\n", begin) - begin);
}

class IntakeTest : public HostTest {};

struct IntakeCase {
  const char* what;
  void (*change)(Qso&);
  int expected;
  const char* journalLine;  // "" when nothing is journaled
  const char* totals;       // the result's totals row afterwards
};

const IntakeCase kIntakeCases[] = {
    {"serial on 80m", [](Qso&) {}, 1, "", "Total\t 1\t 1\t 0\t 0"},
    {"serial on 40m", [](Qso& q) { q.band = "40m"; }, 1, "", "Total\t 1\t 1\t 0\t 0"},
    {"band outside the six", [](Qso& q) { q.band = "6m"; }, 1, "", "Total\t 1\t 1\t 0\t 0"},
    {"empty band", [](Qso& q) { q.band = ""; }, 1, "", "Total\t 1\t 1\t 0\t 0"},
    {"20m",
     [](Qso& q) {
       q.band = "20m";
       q.freqHz = 14085999;
     },
     0, "QSO:  14085  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"160m and a wrong mode",
     [](Qso& q) {
       q.band = "160m";
       q.mode = "SSB";
     },
     0, "QSO:  3585  SSB  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"30m", [](Qso& q) { q.band = "30m"; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"17m", [](Qso& q) { q.band = "17m"; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"12m", [](Qso& q) { q.band = "12m"; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"15m", [](Qso& q) { q.band = "15m"; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"10m", [](Qso& q) { q.band = "10m"; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"mode in lower case", [](Qso& q) { q.mode = "rtty"; }, 0,
     "QSO:  3585  rtty  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO TEST MODE !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"no exchange sent", [](Qso& q) { q.sent = ""; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599    DL1AA  599  0017   NO RX NUMBER !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"no exchange received", [](Qso& q) { q.rcvd = ""; }, 0,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599     NO RX NUMBER !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"Moscow district in lower case",
     [](Qso& q) {
       q.call = "UA3ABC";
       q.countryPrefix = "UA";
       q.rcvd = "mo";
     },
     1, "", "Total\t 1\t 5\t 1\t 0"},
    {"Moscow district after a blank (an RDA candidate)",
     [](Qso& q) {
       q.call = "UA3ABC";
       q.countryPrefix = "UA";
       q.rcvd = " MO";
     },
     1,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  UA3ABC  599   MO  MMO  Russland District Area Code is not acceptable !!!\r\n",
     "Total\t 1\t 5\t 0\t 0"},
    {"two letters outside the Moscow table",
     [](Qso& q) {
       q.call = "UA3ABC";
       q.countryPrefix = "UA2";
       q.rcvd = "xq";
     },
     1,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  UA3ABC  599  xq  XQ  Russland Code Area is not acceptable !!!\r\n",
     "Total\t 1\t 5\t 0\t 0"},
    {"RDA district in lower case with a hyphen",
     [](Qso& q) {
       q.call = "RV9AB";
       q.countryPrefix = "UA9";
       q.rcvd = "ad-01";
     },
     1, "", "Total\t 1\t 1\t 0\t 1"},
    {"RDA district not in the file",
     [](Qso& q) {
       q.call = "RV9AB";
       q.countryPrefix = "UA9";
       q.rcvd = "zz-99";
     },
     1,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  RV9AB  599  zz-99  ZZ99  Russland District Area Code is not acceptable !!!\r\n",
     "Total\t 1\t 1\t 0\t 0"},
    {"serial number from a Russian station",
     [](Qso& q) {
       q.call = "RV9AB";
       q.countryPrefix = "UA";
     },
     1,
     "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  RV9AB  599  0017  0017  Russland District Area Code is not acceptable !!!\r\n",
     "Total\t 1\t 1\t 0\t 0"},
    {"district from a station outside Russia",
     [](Qso& q) {
       q.countryPrefix = "UR";
       q.rcvd = "XX";
     },
     1, "", "Total\t 1\t 1\t 0\t 0"},
    {"null date-time",
     [](Qso& q) {
       q.band = "20m";
       q.time = DateTime{0.0, 2};
     },
     0, "QSO:  3585  RTTY    RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
    {"invalid date-time",
     [](Qso& q) {
       q.band = "20m";
       q.time = DateTime{0.0, 1};
     },
     0,
     "QSO:  3585  RTTY  Invalid DateTime  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n",
     "Total\t 0\t 0\t 0\t 0"},
};

TEST_P(IntakeTest, JudgesJournalsAndStoresEachQso) {
  for (const IntakeCase& c : kIntakeCases) {
    ASSERT_EQ(QuietReset(), 1) << c.what;
    Qso qso = BaseQso();
    c.change(qso);
    EXPECT_EQ(Host().AddData(qso), c.expected) << c.what;
    EXPECT_EQ(Journal(), std::string(kJournalHeader) + c.journalLine) << c.what;
    int status = 0;
    EXPECT_EQ(TotalsRow(Host().GetResult(&status)), c.totals) << c.what;
  }
}

TEST_P(IntakeTest, JournalLinesFollowEachOtherInCallOrder) {
  ASSERT_EQ(QuietReset(), 1);
  Qso wrongBand = BaseQso();
  wrongBand.band = "20m";
  Qso wrongMode = BaseQso();
  wrongMode.mode = "CW";
  ASSERT_EQ(Host().AddData(wrongBand), 0) << "20m";
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "accepted QSO";
  ASSERT_EQ(Host().AddData(wrongMode), 0) << "CW";
  EXPECT_EQ(Journal(),
            std::string(kJournalHeader) +
                "QSO:  3585  RTTY  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO CONTEST BAND !!!\r\n"
                "QSO:  3585  CW  2024-03-09 1405  RA9XYZ  599  001  DL1AA  599  0017   NO TEST MODE !!!\r\n");
}

TEST_P(IntakeTest, TheSameQsoTwiceIsStoredTwice) {
  ASSERT_EQ(QuietReset(), 1);
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "first";
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "second";
  int status = 0;
  EXPECT_EQ(TotalsRow(Host().GetResult(&status)), "Total\t 2\t 2\t 0\t 0");
}

TEST_P(IntakeTest, RemoveDataTakesOutOneMatchingQso) {
  ASSERT_EQ(QuietReset(), 1);
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "first";
  ASSERT_EQ(Host().AddData(BaseQso()), 1) << "second";
  int status = 0;

  struct Step {
    const char* what;
    void (*change)(Qso&);
    int expected;
    const char* totals;
  };
  const Step steps[] = {
      {"empty exchange received", [](Qso& q) { q.rcvd = ""; }, 0, "Total\t 2\t 2\t 0\t 0"},
      {"empty exchange sent", [](Qso& q) { q.sent = ""; }, 0, "Total\t 2\t 2\t 0\t 0"},
      {"another minute", [](Qso& q) { q.time = MakeDateTime(2024, 3, 9, 14, 6); }, 1,
       "Total\t 2\t 2\t 0\t 0"},
      {"call in lower case", [](Qso& q) { q.call = "dl1aa"; }, 1, "Total\t 2\t 2\t 0\t 0"},
      {"another band", [](Qso& q) { q.band = "40m"; }, 1, "Total\t 2\t 2\t 0\t 0"},
      {"another mode", [](Qso& q) { q.mode = "CW"; }, 1, "Total\t 2\t 2\t 0\t 0"},
      {"the QSO itself", [](Qso&) {}, 1, "Total\t 1\t 1\t 0\t 0"},
      {"the QSO again", [](Qso&) {}, 1, "Total\t 0\t 0\t 0\t 0"},
      {"the QSO once more", [](Qso&) {}, 1, "Total\t 0\t 0\t 0\t 0"},
  };
  for (const Step& step : steps) {
    Qso qso = BaseQso();
    step.change(qso);
    EXPECT_EQ(Host().RemoveData(qso), step.expected) << step.what;
    EXPECT_EQ(TotalsRow(Host().GetResult(&status)), step.totals) << step.what;
  }
  EXPECT_EQ(Journal(), kJournalHeader) << "RemoveData0 writes no journal line";
  const std::string result = Host().GetResult(&status);
  EXPECT_NE(result.find("\r\n80m\t 0\t 0\t 0\t 0\r\n"), std::string::npos)
      << "the band row stays after its last QSO is removed: " << result;
}

INSTANTIATE_FOR_BOTH_BINDINGS(IntakeTest);

}  // namespace
}  // namespace host
