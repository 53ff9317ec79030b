// CheckCall0 through the DLL. The module compares the logged hour with the
// real UTC clock, so every case logs its QSO relative to the current UTC
// hour and is run again when the hour turned while it ran.
#include <cstring>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace host {
namespace {

constexpr std::size_t kWarningSize = 100;  // the host's buffer
constexpr std::size_t kCanarySize = 28;    // guard bytes behind it
constexpr char kUntouched = '#';

// "QSO c %s в текущем туре невозможно !!!" in Windows-1251; the "c" is Latin.
constexpr const char* kRussianBefore = "QSO c ";
constexpr const char* kRussianAfter =
    " \xE2 \xF2\xE5\xEA\xF3\xF9\xE5\xEC \xF2\xF3\xF0\xE5 \xED\xE5\xE2\xEE\xE7\xEC\xEE\xE6\xED\xEE "
    "!!!";

std::string EnglishWarning(const std::string& call) {
  return "QSO WITH " + call + " WHILE IT IS IMPOSSIBLE !!!";
}

std::string RussianWarning(const std::string& call) {
  return kRussianBefore + call + kRussianAfter;
}

// The host's warning buffer with guard bytes behind its 100 bytes.
struct WarningBuffer {
  char bytes[kWarningSize + kCanarySize];
  WarningBuffer() { std::memset(bytes, kUntouched, sizeof bytes); }
  char* Data() { return bytes; }
  std::string Text() const { return std::string(bytes, strnlen(bytes, kWarningSize)); }
  bool IsTerminated() const { return strnlen(bytes, kWarningSize) < kWarningSize; }
  bool IsUntouched(std::size_t from = 0) const {
    for (std::size_t i = from; i < sizeof bytes; ++i) {
      if (bytes[i] != kUntouched) return false;
    }
    return true;
  }
};

// One QSO the log holds before the check, placed `hourOffset` hours after
// the current UTC hour (0: the current tour).
struct Logged {
  std::string call = "DL1AA";
  std::string mode = "RTTY";
  std::string band = "80m";
  int hourOffset = 0;
};

class CallCheckTest : public HostTest {
 protected:
  // Resets with `reset`, logs `logged`, then checks `call`/`mode`/`band`
  // into `warning` (position 27) and `unused` (position 26). Runs again
  // when the UTC hour turned meanwhile, at most three times.
  int CheckAgainst(const ResetArgs& reset, const std::vector<Logged>& logged,
                   const std::string& call, const std::string& mode, const std::string& band,
                   WarningBuffer& warning, WarningBuffer* unused = nullptr) {
    int verdict = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
      warning = WarningBuffer();
      if (unused != nullptr) *unused = WarningBuffer();
      const int hour = CurrentUtcHour();
      EXPECT_EQ(QuietReset(reset), 1);
      for (const Logged& entry : logged) {
        Qso qso;
        qso.call = entry.call;
        qso.mode = entry.mode;
        qso.band = entry.band;
        qso.time = CurrentUtc();
        qso.time.date += entry.hourOffset / 24.0;
        EXPECT_EQ(Host().AddData(qso), 1) << "logging " << entry.call;
      }
      verdict = Host().CheckCall(call, mode, band, warning.Data(),
                                 unused != nullptr ? unused->Data() : nullptr);
      if (CurrentUtcHour() == hour) break;
    }
    return verdict;
  }
};

TEST_P(CallCheckTest, SameStationBandAndModeInTheCurrentTourIsRefused) {
  WarningBuffer warning, unused;
  EXPECT_EQ(CheckAgainst(ResetArgs(), {Logged()}, "DL1AA", "RTTY", "80m", warning, &unused), 4);
  ASSERT_TRUE(warning.IsTerminated()) << warning.Text();
  EXPECT_EQ(warning.Text(), EnglishWarning("DL1AA"));
  EXPECT_TRUE(warning.IsUntouched(kWarningSize)) << "bytes written behind the 100-byte buffer";
  EXPECT_TRUE(unused.IsUntouched()) << "position 26 was written";
}

// The hour comes from the system's UTC clock; how the log matches call,
// band, mode and hour is tested natively.
TEST_P(CallCheckTest, OnlyTheSameHourOfDayOnTheSystemClockBlocks) {
  struct Case {
    const char* what;
    Logged logged;
    const char* call;
    const char* mode;
    const char* band;
    int expected;
  };
  const Case cases[] = {
      {"the next hour", Logged{"DL1AA", "RTTY", "80m", 1}, "DL1AA", "RTTY", "80m", 1},
      // Only the hour of the day counts, not the date.
      {"the same hour a day ago", Logged{"DL1AA", "RTTY", "80m", -24}, "DL1AA", "RTTY", "80m", 4},
  };
  for (const Case& c : cases) {
    WarningBuffer warning;
    EXPECT_EQ(CheckAgainst(ResetArgs(), {c.logged}, c.call, c.mode, c.band, warning), c.expected)
        << c.what;
    if (c.expected == 1) {
      EXPECT_TRUE(warning.IsUntouched()) << c.what << ": buffer written";
    }
  }
}

TEST_P(CallCheckTest, RussianWordingAfterAResetWithPrefixUr) {
  ResetArgs english;
  english.ownCountryPrefix = "DL";
  WarningBuffer warning;
  ASSERT_EQ(CheckAgainst(english, {Logged()}, "DL1AA", "RTTY", "80m", warning), 4);
  EXPECT_EQ(warning.Text(), EnglishWarning("DL1AA")) << "before any Russian prefix";

  ResetArgs russian;
  russian.ownCountryPrefix = "UR";
  ASSERT_EQ(CheckAgainst(russian, {Logged()}, "DL1AA", "RTTY", "80m", warning), 4);
  EXPECT_EQ(warning.Text(), RussianWarning("DL1AA")) << "after a reset with prefix UR";
}

TEST_P(CallCheckTest, LongWarningIsCutToTheBuffer) {
  struct Case {
    std::size_t callLength;
    bool russian;
  };
  // Either warning is 36 bytes plus the call: 63 fills the buffer exactly.
  const Case cases[] = {{63, false}, {64, false}, {200, false}, {63, true}, {64, true}};
  for (const Case& c : cases) {
    LoadModule();
    ResetArgs args;
    args.ownCountryPrefix = c.russian ? "UR" : "DL";
    const std::string call(c.callLength, 'W');
    Logged logged;
    logged.call = call;
    WarningBuffer warning;
    ASSERT_EQ(CheckAgainst(args, {logged}, call, "RTTY", "80m", warning), 4)
        << "call of " << c.callLength << " bytes";
    const std::string full = c.russian ? RussianWarning(call) : EnglishWarning(call);
    EXPECT_EQ(warning.Text(), full.substr(0, kWarningSize - 1))
        << "call of " << c.callLength << " bytes, russian " << c.russian;
    EXPECT_TRUE(warning.IsTerminated()) << "call of " << c.callLength << " bytes";
    EXPECT_TRUE(warning.IsUntouched(kWarningSize))
        << "call of " << c.callLength << " bytes: written behind the buffer";
  }
}

TEST_P(CallCheckTest, InvalidOrNullDateNeverBlocks) {
  ASSERT_EQ(QuietReset(), 1);
  // The date itself lies in the current hour; only the status differs.
  for (int status : {1, 2}) {
    Qso qso;
    qso.time = CurrentUtc();
    qso.time.status = status;
    ASSERT_EQ(Host().AddData(qso), 1) << "status " << status;
  }
  WarningBuffer warning;
  EXPECT_EQ(Host().CheckCall("DL1AA", "RTTY", "80m", warning.Data()), 1);
  EXPECT_TRUE(warning.IsUntouched());
}

INSTANTIATE_FOR_THE_HOSTS_BINDING(CallCheckTest);

}  // namespace
}  // namespace host
