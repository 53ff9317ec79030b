// QSO intake and removal through AddData0 and RemoveData0, and the journal
// lines of refused QSOs and refused districts.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "locked_state.h"
#include "module_fixture.h"
#include "plugin/exports.h"
#include "tests/contest_bands.h"

namespace {

using ATL::COleDateTime;

constexpr double kDay15Mar2024 = 45366.0;  // counted by hand from 30 Dec 1899
// 15 March 2024, 14:05:00.
const double k1405 = kDay15Mar2024 + (14 * 3600.0 + 5 * 60.0) / 86400.0;

const char* const kMoscowReason = "  Russland Code Area is not acceptable !!!";
const char* const kRdaReason = "  Russland District Area Code is not acceptable !!!";

// One QSO as the host passes it. The positions the module ignores carry
// texts of their own, so that a shifted argument shows.
struct Qso {
  const char* own = "R1AA";
  const char* call = "DL1ABC";
  COleDateTime time{k1405, COleDateTime::valid};
  unsigned int freqHz = 3580500;
  const char* mode = "RTTY";
  const char* rstSent = "599";
  const char* rstRcvd = "579";
  const char* sent = "001";
  const char* rcvd = "0017";
  const char* prefix = "DL";
  const char* extra = "extra text";
  const char* band = kScoredBand;
};

// AddData0 and RemoveData0 take the same arguments.
int PassToExport(decltype(&AddData0) entry, Qso& q) {
  COleDateTime other(1.5, COleDateTime::valid);
  return entry(q.own, q.call, &q.time, &other, &other, &other, 7000000u, q.freqHz, q.mode,
               q.rstSent, q.rstRcvd, q.sent, q.rcvd, "p13", "p14", "p15", "p16", "p17", "p18",
               "p19", "p20", "p21", q.prefix, 23, 24, 25, 26.0, 27.0, "p28", q.extra, "p30", q.band,
               "p32");
}

int Add(Qso& q) { return PassToExport(&AddData0, q); }
int Remove(Qso& q) { return PassToExport(&RemoveData0, q); }

// The journal line of a QSO with the default own call, RSTs, worked call and
// time, assembled piece by piece from the journal's layout.
std::string Line(const std::string& kHz, const std::string& mode, const std::string& sent,
                 const std::string& rcvd, const std::string& tail) {
  return "QSO:  " + kHz + "  " + mode + "  2024-03-15 1405  R1AA  599  " + sent +
         "  DL1ABC  579  " + rcvd + tail + "\r\n";
}

class IntakeTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    const stats::ContestStateLock state;
    state.RdaCodes().Append("AB01");
    state.RdaCodes().Append("MO12");
  }

  std::string Journal() { return ReadFile("err.txt"); }
  bool JournalExists() { return std::filesystem::exists(m_dir / "err.txt"); }
};

TEST_F(IntakeTest, ContestQsoIsStoredWithEveryFieldAndNoJournalLine) {
  Qso q;
  EXPECT_EQ(Add(q), 1) << "scored band, RTTY, DL serial";
  ASSERT_EQ(locked::LogSize(), 1u);
  const stats::CInfo r = locked::LoggedQso(0);
  EXPECT_EQ(r.m_strCall, "DL1ABC");
  EXPECT_EQ(r.m_strBand, kScoredBand);
  EXPECT_EQ(r.m_strMode, "RTTY");
  EXPECT_EQ(r.m_strExtra, "extra text");
  EXPECT_EQ(r.m_strRstRcvd, "579");
  EXPECT_EQ(r.m_strRstSent, "599");
  EXPECT_EQ(r.m_strRcvd, "0017");
  EXPECT_EQ(r.m_strSent, "001");
  EXPECT_EQ(r.m_strRda, "");
  EXPECT_EQ(r.m_strMoscow, "");
  EXPECT_EQ(r.m_nFreqKHz, 3580) << "3580500 Hz";
  EXPECT_EQ(r.m_nSkip, 0);
  EXPECT_TRUE(r.m_dtTime == q.time) << "stored time";
  EXPECT_EQ(locked::Bands(), (stats::TextList{kScoredBand}));
  EXPECT_TRUE(JournalExists()) << "the journal is opened (created) on every intake";
  EXPECT_EQ(Journal(), "") << "no line for a stored QSO";
}

struct RefusalCase {
  const char* name;
  const char* band;
  const char* mode;
  const char* sent;
  const char* rcvd;
  const char* reason;
};

TEST_F(IntakeTest, RefusedQsosAreJournaledAndNotStored) {
  const char* const noBand = "   NO CONTEST BAND !!!";
  const char* const noMode = "   NO TEST MODE !!!";
  const char* const noRx = "   NO RX NUMBER !!!";
  const RefusalCase cases[] = {
      {"refused band and CW: band first", kRefusedBand, "CW", "001", "0017", noBand},
      {"refused band, no exchange sent: band first", kRefusedBand, "RTTY", "", "0017", noBand},
      {"160m", "160m", "RTTY", "001", "0017", noBand},
      {"20m", "20m", "RTTY", "001", "0017", noBand},
      {"30m", "30m", "RTTY", "001", "0017", noBand},
      {"17m", "17m", "RTTY", "001", "0017", noBand},
      {"15m", "15m", "RTTY", "001", "0017", noBand},
      {"12m", "12m", "RTTY", "001", "0017", noBand},
      {"10m", "10m", "RTTY", "001", "0017", noBand},
      {"rtty", kScoredBand, "rtty", "001", "0017", noMode},
      {"CW", kScoredBand, "CW", "001", "0017", noMode},
      {"empty mode", kScoredBand, "", "001", "0017", noMode},
      {"RTTY with a space", kScoredBand, "RTTY ", "001", "0017", noMode},
      {"rtty, no exchange: mode first", kScoredBand, "rtty", "", "", noMode},
      {"no exchange sent", kScoredBand, "RTTY", "", "0017", noRx},
      {"no exchange received", kScoredBand, "RTTY", "001", "", noRx},
      {"no exchange at all", kScoredBand, "RTTY", "", "", noRx},
  };
  std::string expected;
  for (const RefusalCase& c : cases) {
    Qso q;
    q.band = c.band;
    q.mode = c.mode;
    q.sent = c.sent;
    q.rcvd = c.rcvd;
    EXPECT_EQ(Add(q), 0) << c.name;
    EXPECT_EQ(locked::LogSize(), 0u) << c.name;
    EXPECT_TRUE(locked::Bands().empty()) << c.name;
    expected += Line("3580", c.mode, c.sent, c.rcvd, c.reason);
    EXPECT_EQ(Journal(), expected) << c.name << ": journal after this QSO";
  }
}

TEST_F(IntakeTest, EveryBandOutsideTheRefusedListPasses) {
  const char* const bands[] = {"80m", "40m", "6m", "2m", "", "20M", "80M", "160 m", "40m"};
  for (const char* band : bands) {
    Qso q;
    q.band = band;
    EXPECT_EQ(Add(q), 1) << "band \"" << band << "\"";
  }
  EXPECT_EQ(locked::LogSize(), 9u);
  EXPECT_EQ(locked::Bands(), (stats::TextList{"80m", "40m", "6m", "2m", "", "20M", "80M", "160 m"}))
      << "each band once, in order of first appearance";
  EXPECT_EQ(Journal(), "");
}

TEST_F(IntakeTest, ThousandsOfBandsAreEachListedOnceInOrderOfFirstAppearance) {
  // Every band text twice, the second round in reverse; the list also has
  // to follow a result's reordering and a reset's emptying.
  constexpr int kBands = 5000;
  stats::TextList expected;
  for (int k = 0; k < kBands; ++k) expected.push_back("b" + std::to_string(k));
  for (int round = 0; round < 2; ++round) {
    for (int k = 0; k < kBands; ++k) {
      Qso q;
      q.band = expected[round == 0 ? k : kBands - 1 - k].c_str();
      ASSERT_EQ(Add(q), 1) << "band " << q.band << ", round " << round;
    }
  }
  EXPECT_EQ(locked::Bands(), expected) << kBands << " bands, each logged twice";

  {
    const stats::ContestStateLock state;
    std::reverse(state.Bands().begin(), state.Bands().end());  // as a result may reorder
  }
  Qso again;
  again.band = "b0";
  ASSERT_EQ(Add(again), 1);
  EXPECT_EQ(locked::Bands().size(), static_cast<std::size_t>(kBands)) << "b0 after a reorder";

  {
    const stats::ContestStateLock state;
    state.Bands().clear();  // as a reset empties it
  }
  ASSERT_EQ(Add(again), 1);
  EXPECT_EQ(locked::Bands(), (stats::TextList{"b0"})) << "b0 after the list was emptied";
}

TEST_F(IntakeTest, FrequencyIsWholeKilohertz) {
  const struct {
    unsigned int hz;
    int32_t kHz;
    const char* text;
  } cases[] = {
      {0u, 0, "0"},
      {999u, 0, "0"},
      {1000u, 1, "1"},
      {7040999u, 7040, "7040"},
      {4294967295u, 4294967, "4294967"},  // unsigned division
  };
  std::string expected;
  for (const auto& c : cases) {
    Qso q;
    q.freqHz = c.hz;
    ASSERT_EQ(Add(q), 1) << c.hz << " Hz";
    EXPECT_EQ(locked::LoggedQso(locked::LogSize() - 1).m_nFreqKHz, c.kHz) << c.hz << " Hz";
    q.band = kRefusedBand;
    ASSERT_EQ(Add(q), 0) << c.hz << " Hz on a refused band";
    expected += Line(c.text, "RTTY", "001", "0017", "   NO CONTEST BAND !!!");
    EXPECT_EQ(Journal(), expected) << c.hz << " Hz";
  }
}

TEST_F(IntakeTest, JournalShowsNullAndInvalidTimes) {
  Qso q;
  q.band = kRefusedBand;
  q.time = COleDateTime(k1405, COleDateTime::null);
  EXPECT_EQ(Add(q), 0);
  q.time = COleDateTime(k1405, COleDateTime::invalid);
  EXPECT_EQ(Add(q), 0);
  EXPECT_EQ(Journal(),
            "QSO:  3580  RTTY    R1AA  599  001  DL1ABC  579  0017   NO CONTEST BAND !!!\r\n"
            "QSO:  3580  RTTY  Invalid DateTime  R1AA  599  001  DL1ABC  579  0017   NO "
            "CONTEST BAND !!!\r\n");
}

TEST_F(IntakeTest, JournalLinesFollowTheResetHeader) {
  WriteFile("err.txt", "KESTREL-RTTY UBN file \r\n");
  Qso q;
  q.mode = "CW";
  EXPECT_EQ(Add(q), 0);
  EXPECT_EQ(Journal(), "KESTREL-RTTY UBN file \r\n" +
                           Line("3580", "CW", "001", "0017", "   NO TEST MODE !!!"));
}

struct DistrictCase {
  const char* prefix;
  const char* rcvd;
  const char* moscow;      // expected m_strMoscow
  const char* rda;         // expected m_strRda
  const char* storedRcvd;  // expected m_strRcvd
  std::string journal;     // expected line, or ""
};

TEST_F(IntakeTest, RussianStationsDistrictIsCheckedAndNormalised) {
  const DistrictCase cases[] = {
      {"UA", "mo", "MO", "", "mo", ""},
      {"UA", "MO", "MO", "", "MO", ""},
      {"UA2", "bk", "BK", "", "bk", ""},
      {"UA9", "Af", "AF", "", "Af", ""},
      {"UA9", "ab-01", "", "AB01", "AB01", ""},
      {"UA", "AB01", "", "AB01", "AB01", ""},
      {"UA2", "mo-12", "", "MO12", "MO12", ""},
      {"UA", "ab 01", "", "AB01", "AB01", ""},
      {"UA", "XX", "", "", "XX", Line("3580", "RTTY", "001", "XX", "  XX" + std::string(kMoscowReason))},
      {"UA", "xx", "", "", "xx", Line("3580", "RTTY", "001", "xx", "  XX" + std::string(kMoscowReason))},
      {"UA", " m", "", "", " m", Line("3580", "RTTY", "001", " m", "  M" + std::string(kMoscowReason))},
      // Three bytes: an RDA candidate, " M" + "MO" trimmed.
      {"UA", " MO", "", "", " MO", Line("3580", "RTTY", "001", " MO", "  MMO" + std::string(kRdaReason))},
      // Four bytes measured before trimming: RDA candidate "MO", not in the list.
      {"UA", "MO  ", "", "", "MO  ", Line("3580", "RTTY", "001", "MO  ", "  MO" + std::string(kRdaReason))},
      {"UA", "AB-02", "", "", "AB-02", Line("3580", "RTTY", "001", "AB-02", "  AB02" + std::string(kRdaReason))},
      {"UA9", "0017", "", "", "0017", Line("3580", "RTTY", "001", "0017", "  0017" + std::string(kRdaReason))},
      {"UA", "m", "", "", "m", Line("3580", "RTTY", "001", "m", "  MM" + std::string(kRdaReason))},
      // Not a district sender's prefix: no district check at all.
      {"UR", "mo", "", "", "mo", ""},
      {"ua", "ab-01", "", "", "ab-01", ""},
      {"UA1", "XX", "", "", "XX", ""},
      {"", "MO", "", "", "MO", ""},
  };
  for (const DistrictCase& c : cases) {
    SCOPED_TRACE(std::string("prefix \"") + c.prefix + "\", received \"" + c.rcvd + "\"");
    WriteFile("err.txt", "");
    {
      const stats::ContestStateLock state;
      state.Log().Clear();
    }
    Qso q;
    q.prefix = c.prefix;
    q.rcvd = c.rcvd;
    EXPECT_EQ(Add(q), 1);
    ASSERT_EQ(locked::LogSize(), 1u);
    EXPECT_EQ(locked::LoggedQso(0).m_strMoscow, c.moscow);
    EXPECT_EQ(locked::LoggedQso(0).m_strRda, c.rda);
    EXPECT_EQ(locked::LoggedQso(0).m_strRcvd, c.storedRcvd);
    EXPECT_EQ(Journal(), c.journal);
  }
}

TEST_F(ModuleTest, BeforeAnyResetEveryRdaDistrictIsRefusedByTheIntake) {
  Qso q;
  q.prefix = "UA";
  q.rcvd = "ab-01";
  EXPECT_EQ(Add(q), 1) << "stored without district";
  ASSERT_EQ(locked::LogSize(), 1u);
  EXPECT_EQ(locked::LoggedQso(0).m_strRda, "") << "no RDA list loaded";
  EXPECT_EQ(ReadFile("err.txt"), Line("3580", "RTTY", "001", "ab-01",
                                      "  AB01" + std::string(kRdaReason)));
}

TEST_F(IntakeTest, IdenticalQsosAreBothKept) {
  Qso q;
  EXPECT_EQ(Add(q), 1) << "first";
  EXPECT_EQ(Add(q), 1) << "second, identical";
  EXPECT_EQ(locked::LogSize(), 2u);
  EXPECT_EQ(locked::Bands(), (stats::TextList{kScoredBand})) << "band listed once";
}

TEST_F(IntakeTest, JournalThatCannotBeOpenedChangesNoOutcome) {
  platform.failWrites = true;
  Qso stored;
  Qso refused;
  refused.band = kRefusedBand;
  Qso badDistrict;
  badDistrict.prefix = "UA";
  badDistrict.rcvd = "XX";
  Qso goodDistrict;
  goodDistrict.prefix = "UA9";
  goodDistrict.rcvd = "ab-01";
  EXPECT_EQ(Add(stored), 1) << "contest QSO";
  EXPECT_EQ(Add(refused), 0) << "QSO on a refused band";
  EXPECT_EQ(Add(badDistrict), 1) << "UA with XX";
  EXPECT_EQ(Add(goodDistrict), 1) << "UA9 with ab-01";
  ASSERT_EQ(locked::LogSize(), 3u);
  EXPECT_EQ(locked::LoggedQso(1).m_strMoscow, "") << "UA with XX";
  EXPECT_EQ(locked::LoggedQso(2).m_strRda, "AB01") << "UA9 with ab-01";
  EXPECT_FALSE(JournalExists()) << "nothing could be written";
}

TEST_F(IntakeTest, RemoveTakesOutOnlyTheFirstMatchingQso) {
  Qso first;
  first.extra = "first";
  Qso second;
  second.extra = "second";
  Qso other;
  other.call = "OK1XYZ";
  ASSERT_EQ(Add(first), 1);
  ASSERT_EQ(Add(other), 1);
  ASSERT_EQ(Add(second), 1);

  Qso key;  // same call, mode, band and time; the other texts differ
  key.rcvd = "999";
  key.sent = "123";
  key.freqHz = 7010000;
  key.extra = "different";
  key.prefix = "UA";
  EXPECT_EQ(Remove(key), 1);
  ASSERT_EQ(locked::LogSize(), 2u) << "one removed";
  EXPECT_EQ(locked::LoggedQso(0).m_strCall, "OK1XYZ") << "later records moved up";
  EXPECT_EQ(locked::LoggedQso(1).m_strExtra, "second") << "the first match went, not the second";

  EXPECT_EQ(Remove(key), 1);
  ASSERT_EQ(locked::LogSize(), 1u) << "second removal";
  EXPECT_EQ(locked::LoggedQso(0).m_strCall, "OK1XYZ");
  EXPECT_EQ(locked::Bands(), (stats::TextList{kScoredBand})) << "the band stays listed";
}

struct RemoveMissCase {
  const char* name;
  Qso key;
};

Qso With(void (*edit)(Qso&)) {
  Qso q;
  edit(q);
  return q;
}

TEST_F(IntakeTest, RemoveOfAQsoNotInTheLogReturnsOneAndChangesNothing) {
  const RemoveMissCase cases[] = {
      {"other call", With([](Qso& q) { q.call = "DL1ABD"; })},
      {"call in lower case", With([](Qso& q) { q.call = "dl1abc"; })},
      {"other mode", With([](Qso& q) { q.mode = "CW"; })},
      {"other band", With([](Qso& q) { q.band = "6m"; })},
      {"a second later", With([](Qso& q) { q.time.m_dt += 1.0 / 86400.0; })},
      {"same date, status null", With([](Qso& q) { q.time.m_status = COleDateTime::null; })},
      {"same date, status invalid",
       With([](Qso& q) { q.time.m_status = COleDateTime::invalid; })},
  };
  Qso logged;
  ASSERT_EQ(Add(logged), 1);
  WriteFile("err.txt", "header\r\n");
  for (const RemoveMissCase& c : cases) {
    Qso key = c.key;
    EXPECT_EQ(Remove(key), 1) << c.name;
    EXPECT_EQ(locked::LogSize(), 1u) << c.name;
  }
  EXPECT_EQ(ReadFile("err.txt"), "header\r\n") << "removal writes no journal line";
}

TEST_F(IntakeTest, RemoveWithAMissingExchangeDoesNothing) {
  Qso logged;
  ASSERT_EQ(Add(logged), 1);
  Qso noRcvd;
  noRcvd.rcvd = "";
  Qso noSent;
  noSent.sent = "";
  EXPECT_EQ(Remove(noRcvd), 0) << "empty exchange received";
  EXPECT_EQ(Remove(noSent), 0) << "empty exchange sent";
  EXPECT_EQ(locked::LogSize(), 1u) << "the QSO is still logged";
}

TEST_F(IntakeTest, RemoveMatchesNullTimesButNeverInvalidOnes) {
  Qso nullTime;
  nullTime.time = COleDateTime(0.0, COleDateTime::null);
  Qso invalidTime;
  invalidTime.call = "OK1XYZ";
  invalidTime.time = COleDateTime(k1405, COleDateTime::invalid);
  ASSERT_EQ(Add(nullTime), 1);
  ASSERT_EQ(Add(invalidTime), 1);

  Qso nullKey = nullTime;
  nullKey.time.m_dt = 12345.0;  // two nulls are equal whatever the date
  EXPECT_EQ(Remove(nullKey), 1);
  ASSERT_EQ(locked::LogSize(), 1u) << "null-time QSO removed";
  EXPECT_EQ(locked::LoggedQso(0).m_strCall, "OK1XYZ");

  Qso invalidKey = invalidTime;
  EXPECT_EQ(Remove(invalidKey), 1);
  EXPECT_EQ(locked::LogSize(), 1u) << "an invalid time equals nothing, not even itself";
}

TEST_F(IntakeTest, RemoveFindsAnRdaQsoByItsKeyNotByItsStoredExchange) {
  Qso q;
  q.prefix = "UA9";
  q.rcvd = "ab-01";
  ASSERT_EQ(Add(q), 1);
  ASSERT_EQ(locked::LoggedQso(0).m_strRcvd, "AB01");
  EXPECT_EQ(Remove(q), 1);
  EXPECT_EQ(locked::LogSize(), 0u) << "removed although m_strRcvd was normalised";
}

}  // namespace
