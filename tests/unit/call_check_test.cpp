// The call check: one QSO per station, band and mode in each UTC hour of
// the day, the warning in either wording, and the host's 100-byte buffer.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "host_qso.h"
#include "module_fixture.h"
#include "plugin/exports.h"

namespace {

using ATL::COleDateTime;

constexpr double kDay15Mar2024 = 45366.0;  // counted by hand from 30 Dec 1899

double At(double day, int hour, int minute, double second = 0.0) {
  return day + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

constexpr char kCanary = 'Z';
constexpr std::size_t kBufferBytes = 160;  // the host's 100 bytes and a canary tail

// "QSO c <call> в текущем туре невозможно !!!" in Windows-1251, the "c" Latin.
std::string RussianWarning(const std::string& call) {
  return "QSO c " + call +
         " \xE2 \xF2\xE5\xEA\xF3\xF9\xE5\xEC \xF2\xF3\xF0\xE5 "
         "\xED\xE5\xE2\xEE\xE7\xEC\xEE\xE6\xED\xEE !!!";
}

std::string EnglishWarning(const std::string& call) {
  return "QSO WITH " + call + " WHILE IT IS IMPOSSIBLE !!!";
}

class CallCheckTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    std::memset(m_unused, kCanary, sizeof m_unused);
    std::memset(m_warning, kCanary, sizeof m_warning);
    NowAt(2024, 3, 15, 14, 30, 0);
  }

  void NowAt(int y, int mo, int d, int h, int mi, int s) {
    platform.fixedNow = stats::UtcTime{y, mo, d, h, mi, s};
  }

  void Log(const char* call, const char* band, const char* mode, COleDateTime time) {
    stats::CInfo record;
    record.m_strCall = call;
    record.m_strBand = band;
    record.m_strMode = mode;
    record.m_dtTime = time;
    const stats::ContestStateLock state;
    state.Log().Append(record);
  }

  // CheckCall0 with texts of their own in the ignored positions.
  int Check(const char* call, const char* mode, const char* band, char* warning) {
    return CheckCall0(call, 1u, 2u, mode, "p4", "p5", "p6", "p7", "p8", "p9", "p10", "p11", "p12",
                      "p13", 14, 15, 16, 17.0, 18.0, "p19", "p20", "p21", "p22", "p23", band, "p25",
                      m_unused, warning);
  }
  int Check(const char* call, const char* mode = "RTTY", const char* band = "80m") {
    return Check(call, mode, band, m_warning);
  }

  std::string Warning() const { return std::string(m_warning); }

  bool Untouched(const char* buffer, std::size_t from, std::size_t to) const {
    for (std::size_t i = from; i < to; ++i) {
      if (buffer[i] != kCanary) return false;
    }
    return true;
  }

  char m_unused[kBufferBytes];
  char m_warning[kBufferBytes];
};

TEST_F(CallCheckTest, EmptyLogNeverBlocks) {
  EXPECT_EQ(Check("DL1ABC"), 1) << "empty log";
  EXPECT_TRUE(Untouched(m_warning, 0, kBufferBytes)) << "warning buffer after result 1";
}

struct ClockCase {
  const char* name;
  stats::UtcTime now;
  int expected;
};

TEST_F(CallCheckTest, AQsoBlocksItsStationForTheRestOfItsHourOnAnyDay) {
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
  const ClockCase cases[] = {
      {"14:00:00 same day", {2024, 3, 15, 14, 0, 0}, 4},
      {"14:05:00 same day", {2024, 3, 15, 14, 5, 0}, 4},
      {"14:59:59 same day", {2024, 3, 15, 14, 59, 59}, 4},
      {"15:00:00 same day", {2024, 3, 15, 15, 0, 0}, 1},
      {"13:59:59 same day", {2024, 3, 15, 13, 59, 59}, 1},
      {"02:05 same day", {2024, 3, 15, 2, 5, 0}, 1},
      {"14:10 a year later", {2025, 7, 1, 14, 10, 0}, 4},
      {"14:10 the day before", {2024, 3, 14, 14, 10, 0}, 4},
      {"15:10 the next day", {2024, 3, 16, 15, 10, 0}, 1},
  };
  for (const ClockCase& c : cases) {
    platform.fixedNow = c.now;
    EXPECT_EQ(Check("DL1ABC"), c.expected) << "now " << c.name << ", QSO 15 Mar 2024 14:05";
  }
}

struct KeyCase {
  const char* name;
  const char* call;
  const char* mode;
  const char* band;
  int expected;
};

// The call, mode and band are read from their own positions; how the log
// matches them is the log's own test.
TEST_F(CallCheckTest, CallModeAndBandComeFromTheirOwnPositions) {
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
  const KeyCase cases[] = {
      {"same call, band, mode", "DL1ABC", "RTTY", "80m", 4},
      {"other band", "DL1ABC", "RTTY", "40m", 1},
      {"other mode", "DL1ABC", "CW", "80m", 1},
      {"other call", "DL1ABD", "RTTY", "80m", 1},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(Check(c.call, c.mode, c.band), c.expected)
        << c.name << ": " << c.call << " " << c.mode << " " << c.band;
  }
}

TEST_F(CallCheckTest, EnglishWarningNamesTheCallAsPassed) {
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 40), COleDateTime::valid));
  ASSERT_EQ(Check("DL1ABC"), 4) << "two matching records";
  EXPECT_EQ(Warning(), EnglishWarning("DL1ABC"));
  EXPECT_TRUE(Untouched(m_warning, EnglishWarning("DL1ABC").size() + 1, kBufferBytes))
      << "bytes after the terminator";
  EXPECT_TRUE(Untouched(m_unused, 0, kBufferBytes)) << "position 26 is never written";
}

TEST_F(CallCheckTest, RussianWordingGivesTheCyrillicWarning) {
  {
    const stats::ContestStateLock state;
    state.Russian() = 1;
  }
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
  ASSERT_EQ(Check("DL1ABC"), 4);
  EXPECT_EQ(Warning(), RussianWarning("DL1ABC"));
  EXPECT_TRUE(Untouched(m_unused, 0, kBufferBytes)) << "position 26 is never written";
}

struct LengthCase {
  std::size_t callBytes;
  bool russian;
};

TEST_F(CallCheckTest, LongWarningsAreCutTo99BytesAndNothingIsWrittenBeyond100) {
  const LengthCase cases[] = {
      {62, false},   {63, false}, {64, false}, {65, false}, {120, false},
      {4000, false}, {63, true},  {64, true},  {500, true},
  };
  for (const LengthCase& c : cases) {
    SCOPED_TRACE("call of " + std::to_string(c.callBytes) + " bytes, " +
                 (c.russian ? "Russian" : "English") + " wording");
    {
      const stats::ContestStateLock state;
      state.Log().Clear();
      state.Russian() = c.russian ? 1 : 0;
    }
    const std::string call(c.callBytes, 'K');
    Log(call.c_str(), "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
    std::memset(m_warning, kCanary, sizeof m_warning);

    ASSERT_EQ(Check(call.c_str()), 4);
    const std::string full = c.russian ? RussianWarning(call) : EnglishWarning(call);
    const std::size_t kept = std::min<std::size_t>(full.size(), 99);
    EXPECT_EQ(std::string(m_warning, kept), full.substr(0, kept));
    EXPECT_EQ(m_warning[kept], '\0') << "terminator at byte " << kept;
    EXPECT_TRUE(Untouched(m_warning, 100, kBufferBytes)) << "bytes from 100 on";
    EXPECT_TRUE(Untouched(m_warning, kept + 1, kBufferBytes)) << "bytes after the terminator";
  }
}

TEST_F(CallCheckTest, NullWarningBufferIsNeverWritten) {
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
  EXPECT_EQ(Check("DL1ABC", "RTTY", "80m", nullptr), 4) << "blocked call, null buffer";
  EXPECT_EQ(Check("OK1XYZ", "RTTY", "80m", nullptr), 1) << "free call, null buffer";
}

TEST_F(CallCheckTest, EveryCheckAsksAnOpenDisplayToRefresh) {
  Log("DL1ABC", "80m", "RTTY", COleDateTime(At(kDay15Mar2024, 14, 5), COleDateTime::valid));
  Check("DL1ABC");
  Check("OK1XYZ");
  EXPECT_EQ(display.refreshRequests, 0) << "no display open";

  display.open = true;
  Check("DL1ABC");
  Check("OK1XYZ");
  Check("OK1XYZ", "RTTY", "80m", nullptr);
  EXPECT_EQ(display.refreshRequests, 3) << "three checks with the display open";
}

// Intake and removal through the host's entry points feed the check.
int AddLogged(const char* call, COleDateTime time) {
  return AddAsHost({.call = call, .time = time});
}
int RemoveLogged(const char* call, COleDateTime time) {
  return RemoveAsHost({.call = call, .time = time});
}

TEST_F(CallCheckTest, FollowsQsosAddedAndRemovedByTheHost) {
  const COleDateTime first(At(kDay15Mar2024, 14, 5), COleDateTime::valid);
  const COleDateTime second(At(kDay15Mar2024, 14, 35), COleDateTime::valid);
  ASSERT_EQ(AddLogged("DL1ABC", first), 1);
  ASSERT_EQ(AddLogged("DL1ABC", second), 1);
  EXPECT_EQ(Check("DL1ABC"), 4) << "two QSOs in this hour";
  ASSERT_EQ(RemoveLogged("DL1ABC", first), 1);
  EXPECT_EQ(Check("DL1ABC"), 4) << "one QSO left in this hour";
  ASSERT_EQ(RemoveLogged("DL1ABC", second), 1);
  EXPECT_EQ(Check("DL1ABC"), 1) << "both QSOs removed";
}

}  // namespace
