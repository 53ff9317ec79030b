// The contest reset through ResetStats0: state emptied and re-seeded, own
// data and end date taken over, RDA list reloaded, journal restarted, the
// station dialog in output mode and the alternating "Start" setting.
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/contest_state.h"
#include "engine/rda_file.h"
#include "engine/reset.h"
#include "host_qso.h"
#include "locked_state.h"
#include "module_fixture.h"
#include "plugin/exports.h"
#include "reports/station.h"
#include "tests/contest_bands.h"

namespace {

using ATL::COleDateTime;

constexpr double kDay17Mar2024 = 45368.0;  // counted by hand from 30 Dec 1899
constexpr double kDay15Mar2024 = 45366.0;
const char* const kIni = "Plugins\\KESTREL-RTTY.ini";
const char* const kHeader = "KESTREL-RTTY UBN file \r\n";

void SetRussian(int russian) {
  const stats::ContestStateLock state;
  state.Russian() = russian;
}

class ResetTest : public ModuleTest {
 protected:
  // ResetStats0 with Russian prefixes and a different start date in the
  // positions it ignores, so that a shifted argument shows.
  int Reset(int output = 0, const char* own = "R1AA", const char* prefix = "DL",
            COleDateTime end = COleDateTime(kDay17Mar2024 + 0.75, COleDateTime::valid)) {
    COleDateTime start(kDay15Mar2024, COleDateTime::valid);
    return ResetStats0("UA", output, own, &start, &end, "UA", "UA", "UA", "UA", "UA", "UA", "UA",
                       "UA", "UA", prefix, 15, 16, 17, 18.0, 19.0, "UA", "UA", "UA");
  }

  std::string Start() {
    return platform.ReadProfileString(kIni, "Settings", "Start", "<missing>");
  }
  void SetStart(const std::string& value) {
    ASSERT_TRUE(platform.WriteProfileString(kIni, "Settings", "Start", value)) << value;
  }

  int AddQso(const char* band) {
    return AddAsHost(
        {.time = COleDateTime(kDay15Mar2024 + 0.5, COleDateTime::valid), .band = band});
  }
};

TEST_F(ResetTest, ReturnsOneAndTakesOverOwnCallAndEndDate) {
  EXPECT_EQ(Reset(0, "R1AA"), 1);
  EXPECT_EQ(locked::OwnCall(), "R1AA");
  EXPECT_EQ(locked::EndDate(), "17.03.2024") << "end 17 Mar 2024 18:00, start 15 Mar ignored";
  EXPECT_EQ(locked::EndYear(), "2024");
  EXPECT_EQ(locked::Output(), 0);

  EXPECT_EQ(Reset(0, "UA3XYZ"), 1);
  EXPECT_EQ(locked::OwnCall(), "UA3XYZ") << "second reset replaces the own call";
}

struct EndCase {
  const char* name;
  COleDateTime end;
  const char* date;
  const char* year;
};

TEST_F(ResetTest, EndDateFormatsFollowItsStatus) {
  const EndCase cases[] = {
      {"31 Dec 1899 23:00", COleDateTime(1.0 + 23.0 / 24.0, COleDateTime::valid), "31.12.1899",
       "1899"},
      {"before the epoch, -1.25", COleDateTime(-1.25, COleDateTime::valid), "29.12.1899", "1899"},
      {"null", COleDateTime(kDay17Mar2024, COleDateTime::null), "", ""},
      {"invalid", COleDateTime(kDay17Mar2024, COleDateTime::invalid), "Invalid DateTime",
       "Invalid DateTime"},
      {"year 10000", COleDateTime(2958466.5, COleDateTime::valid), "Invalid DateTime",
       "Invalid DateTime"},
  };
  for (const EndCase& c : cases) {
    EXPECT_EQ(Reset(0, "R1AA", "DL", c.end), 1) << c.name;
    EXPECT_EQ(locked::EndDate(), c.date) << c.name;
    EXPECT_EQ(locked::EndYear(), c.year) << c.name;
  }
}

TEST_F(ResetTest, BandRowsAreSeededAndTheBandListIsEmpty) {
  ASSERT_EQ(AddQso("6m"), 1);
  {
    const stats::ContestStateLock state;
    state.BandRows()[2] = {"junk", "1", "2", "3", "4"};
  }
  Reset();
  const char* const bands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(locked::BandRows()[k], (stats::TextList{bands[k], "-", "-", "-"})) << "row " << k;
  }
  EXPECT_TRUE(locked::Bands().empty()) << "band list after reset";
  EXPECT_TRUE(locked::LogEmpty()) << "log after reset";

  ASSERT_EQ(AddQso("40m"), 1);
  EXPECT_EQ(locked::Bands(), (stats::TextList{"40m"})) << "the intake lists bands afresh";
}

// The windows tick what these lists hold: a band the new log lacks must not
// show the last contest's districts.
TEST_F(ResetTest, EmptiesThePerBandDistrictListsOfTheLastContest) {
  WriteFile(".\\Plugins\\rda_rus.dat", "SV-01\n");
  Reset();
  const COleDateTime time(kDay15Mar2024 + 0.5, COleDateTime::valid);
  ASSERT_EQ(AddAsHost({.time = time, .rcvd = "MO", .countryPrefix = "UA", .band = "40m"}), 1);
  ASSERT_EQ(AddAsHost({.time = time, .rcvd = "SV01", .countryPrefix = "UA9", .band = "40m"}), 1);
  int untouched = 0;
  GetResult0(&untouched);
  ASSERT_EQ(locked::MoscowByBand()[2], (stats::TextList{"MO"})) << "first contest, 40m";
  ASSERT_EQ(locked::RdaByBand()[2], (stats::TextList{"SV01"})) << "first contest, 40m";

  Reset();
  ASSERT_EQ(AddQso("80m"), 1);
  GetResult0(&untouched);
  for (int k = 0; k < 6; ++k) {
    EXPECT_TRUE(locked::MoscowByBand()[k].empty()) << "second contest, Moscow list " << k;
    EXPECT_TRUE(locked::RdaByBand()[k].empty()) << "second contest, RDA list " << k;
  }
}

TEST_F(ResetTest, OutputModeIsTakenFromPositionOne) {
  for (int output : {0, 1, 7, 0}) {
    Reset(output);
    EXPECT_EQ(locked::Output(), output) << "output flag " << output;
  }
}

TEST_F(ResetTest, RussianWordingIsSetByOwnPrefixAndNeverCleared) {
  const struct {
    const char* prefix;
    int russian;
  } cases[] = {
      {"UA", 1}, {"UA2", 1}, {"UA9", 1}, {"UR", 1}, {"UN", 1}, {"EU", 1},
      {"DL", 0}, {"ua", 0}, {"UA1", 0}, {"UR ", 0}, {"", 0},  {"EU1", 0},
  };
  for (const auto& c : cases) {
    SetRussian(0);
    Reset(0, "R1AA", c.prefix);
    EXPECT_EQ(locked::Russian(), c.russian) << "own prefix \"" << c.prefix << "\"";
  }

  SetRussian(0);
  Reset(0, "R1AA", "UR");
  ASSERT_EQ(locked::Russian(), 1) << "after UR";
  Reset(0, "DL1ABC", "DL");
  EXPECT_EQ(locked::Russian(), 1) << "DL after UR keeps the Russian wording";
  Reset(1, "DL1ABC", "");
  EXPECT_EQ(locked::Russian(), 1) << "empty prefix in output mode after UR";
}

TEST_F(ResetTest, RdaListIsReloadedFromTheFileAtEveryReset) {
  WriteFile(".\\Plugins\\rda_rus.dat", "Region\r\nAB-01\tone\r\nCD-02\ttwo\r\n");
  Reset();
  EXPECT_EQ(locked::RdaCodes(), (std::vector<std::string>{"AB01", "CD02"}));
  const struct {
    const char* exchange;
    int expected;
  } cases[] = {{"AB01", 1}, {"CD02", 1}, {"EF03", 0}, {"AB-01", 0}, {"ab01", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidExchg0(c.exchange, "", "UA", "", 0, 0, 0), c.expected)
        << "exchange " << c.exchange << " from UA";
  }

  WriteFile(".\\Plugins\\rda_rus.dat", "EF-03\n");
  Reset();
  EXPECT_EQ(locked::RdaCodes(), (std::vector<std::string>{"EF03"})) << "second file";

  std::filesystem::remove(m_dir / "Plugins" / "rda_rus.dat");
  Reset();
  EXPECT_EQ(locked::RdaCodes().size(), 0u) << "file removed";
  EXPECT_EQ(IsValidExchg0("EF03", "", "UA", "", 0, 0, 0), 0) << "EF03 once the file is gone";
  EXPECT_EQ(IsValidExchg0("MO", "", "UA", "", 0, 0, 0), 1) << "Moscow unaffected";
}

TEST_F(ResetTest, JournalHoldsExactlyTheHeader) {
  WriteFile("err.txt", "an older journal\r\nwith two lines\r\n");
  Reset();
  EXPECT_EQ(ReadFile("err.txt"), kHeader) << "journal truncated and headed";
  ASSERT_EQ(AddQso(kRefusedBand), 0);
  Reset();
  EXPECT_EQ(ReadFile("err.txt"), kHeader) << "refusal lines dropped by the next reset";
}

TEST_F(ResetTest, StartAlternatesAndOpensTheDisplayEveryOtherTime) {
  EXPECT_EQ(Start(), "<missing>") << "fresh settings";
  Reset();
  EXPECT_EQ(display.starts, 1) << "first reset, Start missing";
  EXPECT_EQ(Start(), "1") << "first reset";
  EXPECT_EQ(locked::Start(), 0) << "first reset";
  EXPECT_TRUE(std::filesystem::exists(m_dir / "Plugins" / "KESTREL-RTTY.ini"))
      << "settings file in Plugins/ of the working directory";

  Reset();
  EXPECT_EQ(display.starts, 1) << "second reset opens no second display";
  EXPECT_EQ(Start(), "0") << "second reset";
  EXPECT_EQ(locked::Start(), 1) << "second reset";

  display.open = false;  // the operator closed the window
  Reset();
  EXPECT_EQ(display.starts, 2) << "third reset, display closed meanwhile";
  EXPECT_EQ(Start(), "1") << "third reset";
}

TEST_F(ResetTest, StartZeroWithTheDisplayOpenWritesNothing) {
  display.open = true;
  Reset();
  EXPECT_EQ(display.starts, 0) << "display already open";
  EXPECT_EQ(Start(), "<missing>") << "nothing written";
  EXPECT_EQ(locked::Start(), 0);
}

struct StartValueCase {
  std::string stored;
  int start;
  bool opens;
  const char* after;
};

TEST_F(ResetTest, StartIsReadAsLeadingDigitsThroughTheSettingsBuffer) {
  const StartValueCase cases[] = {
      {"0", 0, true, "1"},
      {"1", 1, false, "0"},
      {"2", 2, false, "0"},
      {"12abc", 12, false, "0"},
      {"abc", 0, true, "1"},
      {"", 0, true, "1"},
      // A sign is no digit, not even behind leading zeros.
      {"-1", 0, true, "1"},
      {"+1", 0, true, "1"},
      {"0-1", 0, true, "1"},
      // A long number is read to its ninth significant digit, never
      // overflowing to 0.
      {"12345678901234567890", 123456789, false, "0"},
      {"000000000000000012345678901", 123456789, false, "0"},
      {"4294967296", 429496729, false, "0"},
      // Only 99 characters come back: 99 zeros, the final 1 is lost.
      {std::string(99, '0') + "1", 0, true, "1"},
      {std::string(98, '0') + "1", 1, false, "0"},
  };
  for (const StartValueCase& c : cases) {
    SCOPED_TRACE("Start=\"" + c.stored + "\"");
    SetStart(c.stored);
    display.open = false;
    display.starts = 0;
    Reset();
    EXPECT_EQ(locked::Start(), c.start);
    EXPECT_EQ(display.starts, c.opens ? 1 : 0);
    EXPECT_EQ(Start(), c.after);
  }
}

TEST_F(ResetTest, OutputModeRunsTheStationDialogAndOpensNoDisplay) {
  std::string dialogCall;
  stationDialog.answer = [&](stats::StationFields& fields) {
    dialogCall = fields.m_strCallsign;
    return true;
  };
  Reset(1, "R1AA");
  EXPECT_EQ(stationDialog.runs, 1) << "output-mode reset";
  EXPECT_EQ(dialogCall, "R1AA") << "the dialog gets the own call";
  EXPECT_EQ(display.starts, 0) << "output-mode reset, Start missing before";
  EXPECT_EQ(Start(), "0") << "output-mode reset";
  EXPECT_EQ(locked::Start(), 1);

  stationDialog.answer = nullptr;  // cancelled this time
  Reset(1, "R1AA");
  EXPECT_EQ(stationDialog.runs, 2) << "second output-mode reset";
  EXPECT_EQ(display.starts, 0) << "second output-mode reset";
  EXPECT_EQ(Start(), "0") << "second output-mode reset";

  Reset(0, "R1AA");
  EXPECT_EQ(stationDialog.runs, 2) << "no dialog outside output mode";
}

TEST_F(ResetTest, FilesThatCannotBeWrittenChangeNoOutcome) {
  WriteFile(".\\Plugins\\rda_rus.dat", "AB-01\n");
  ASSERT_EQ(AddQso("80m"), 1);
  platform.failWrites = true;
  EXPECT_EQ(Reset(0, "R1AA", "UA"), 1) << "journal and settings unwritable";
  EXPECT_TRUE(locked::LogEmpty());
  EXPECT_EQ(locked::RdaCodes(), (std::vector<std::string>{"AB01"}));
  EXPECT_EQ(locked::Russian(), 1);
  EXPECT_EQ(display.starts, 1) << "Start reads as missing: the display opens";
  EXPECT_EQ(ReadFile("err.txt"), "") << "journal (left empty by the intake) could not be written";
}

// A district code made of four letters, distinct for every k below 26^4.
std::string LetterCode(std::size_t k) {
  std::string code(4, 'A');
  for (int i = 3; i >= 0; --i, k /= 26) code[i] = static_cast<char>('A' + k % 26);
  return code;
}

TEST_F(ResetTest, AnOversizedRdaFileGivesItsFirstCodesAndACompleteReset) {
  // 300,000 distinct districts, three times the bound.
  constexpr std::size_t kLines = 300000;
  std::string file = "Region\r\n";
  for (std::size_t k = 0; k < kLines; ++k) {
    const std::string code = LetterCode(k);
    file += code.substr(0, 2) + "-" + code.substr(2) + "\tdistrict\r\n";
  }
  WriteFile(".\\Plugins\\rda_rus.dat", file);
  WriteFile("err.txt", "last contest's line\r\n");
  ASSERT_EQ(AddQso("80m"), 1);

  EXPECT_EQ(Reset(0, "R1AA"), 1);
  const std::vector<std::string> codes = locked::RdaCodes();
  ASSERT_EQ(codes.size(), stats::kMaxRdaCodes) << kLines << " district lines";
  EXPECT_EQ(codes.front(), LetterCode(0)) << "first code";
  EXPECT_EQ(codes.back(), LetterCode(stats::kMaxRdaCodes - 1)) << "last code kept";
  EXPECT_EQ(IsValidExchg0(LetterCode(stats::kMaxRdaCodes - 1).c_str(), "", "UA", "", 0, 0, 0), 1)
      << "last code within the bound";
  EXPECT_EQ(IsValidExchg0(LetterCode(stats::kMaxRdaCodes).c_str(), "", "UA", "", 0, 0, 0), 0)
      << "first code beyond the bound";
  EXPECT_TRUE(locked::LogEmpty()) << "log after the reset";
  EXPECT_EQ(ReadFile("err.txt"), kHeader) << "journal restarted";
  EXPECT_EQ(Start(), "1") << "Start switched";
  EXPECT_EQ(display.starts, 1) << "display started";
}

// A platform whose named operation throws, as when memory runs out.
class ThrowingPlatform : public stats::PortablePlatform {
 public:
  std::string throwOn;  // "read <path>" or "write <path>"

  bool ReadFile(const std::string& path, std::string& bytes) override {
    if (throwOn == "read " + path) throw std::bad_alloc();
    return PortablePlatform::ReadFile(path, bytes);
  }
  bool WriteFile(const std::string& path, const std::string& bytes,
                 std::string* reason = nullptr) override {
    if (throwOn == "write " + path) throw std::bad_alloc();
    return PortablePlatform::WriteFile(path, bytes, reason);
  }
};

struct ThrowingStepCase {
  const char* name;
  const char* throwOn;
  bool dialogThrows;
  int output;
  const char* journal;  // after the reset
  const char* start;    // "Start" after the reset
  int displayStarts;
};

TEST_F(ResetTest, EveryStepRunsWhateverAnEarlierStepMeets) {
  const char* const kOld = "last contest's line\r\n";
  const ThrowingStepCase cases[] = {
      {"RDA file read runs out of memory", "read .\\Plugins\\rda_rus.dat", false, 0, kHeader, "1",
       1},
      {"RDA file read runs out of memory, output mode", "read .\\Plugins\\rda_rus.dat", false, 1,
       kHeader, "0", 0},
      {"journal write runs out of memory", "write err.txt", false, 0, kOld, "1", 1},
      {"station dialog throws", "", true, 1, kHeader, "0", 0},
  };
  for (const ThrowingStepCase& c : cases) {
    SCOPED_TRACE(c.name);
    stats::RestoreLoadState();
    ThrowingPlatform throwing;
    throwing.throwOn = c.throwOn;
    stats::SetCurrentPlatform(&throwing);
    WriteFile(".\\Plugins\\rda_rus.dat", "AB-01\n");
    WriteFile("err.txt", kOld);
    std::filesystem::remove(m_dir / "Plugins" / "KESTREL-RTTY.ini");
    display.open = false;
    display.starts = 0;
    stationDialog.answer = [&](stats::StationFields&) -> bool {
      if (c.dialogThrows) throw std::runtime_error("dialog failed");
      return false;
    };
    ASSERT_EQ(AddQso("80m"), 1);

    EXPECT_EQ(Reset(c.output, "UA3XYZ"), 1);
    EXPECT_TRUE(locked::LogEmpty()) << "log emptied";
    EXPECT_EQ(locked::OwnCall(), "UA3XYZ") << "own call taken over";
    EXPECT_EQ(locked::Output(), c.output) << "output mode taken over";
    EXPECT_EQ(ReadFile("err.txt"), c.journal) << "journal";
    EXPECT_EQ(Start(), c.start) << "Start";
    EXPECT_EQ(display.starts, c.displayStarts) << "display starts";
    stats::SetCurrentPlatform(&platform);
  }
}

TEST_F(ResetTest, AnRdaFileThatCannotBeReadLeavesTheListEmpty) {
  ThrowingPlatform throwing;
  throwing.throwOn = "read .\\Plugins\\rda_rus.dat";
  WriteFile(".\\Plugins\\rda_rus.dat", "AB-01\n");
  Reset();
  ASSERT_EQ(locked::RdaCodes(), (std::vector<std::string>{"AB01"})) << "readable file";
  stats::SetCurrentPlatform(&throwing);
  Reset();
  stats::SetCurrentPlatform(&platform);
  EXPECT_EQ(locked::RdaCodes().size(), 0u) << "file read ran out of memory";
}

// The reset's RDA list, read from the file beside the plug-ins.
class RdaLoadTest : public ModuleTest {};

TEST_F(RdaLoadTest, LoadsTheFileBesideThePlugins) {
  WriteFile(".\\Plugins\\rda_rus.dat", "Region\r\nAB-01\tx\r\nab-02\r\nAB-01\r\n-CD-03");
  const stats::CodeList codes = stats::ReadRdaCodes(platform);
  EXPECT_EQ(codes.codes(), (std::vector<std::string>{"AB01", "ab02", "AB01"}))
      << "Plugins/rda_rus.dat";
  EXPECT_TRUE(codes.Contains("ab02")) << "ab02 as written in the file";
  EXPECT_FALSE(codes.Contains("AB02")) << "AB02 differs in case from the file";
}

TEST_F(RdaLoadTest, MissingFileGivesAnEmptyList) {
  EXPECT_EQ(stats::ReadRdaCodes(platform).size(), 0u) << "no Plugins/rda_rus.dat";
}

TEST_F(RdaLoadTest, FileInTheWorkingDirectoryIsNotTheOne) {
  WriteFile("rda_rus.dat", "AB-01\n");
  EXPECT_EQ(stats::ReadRdaCodes(platform).size(), 0u) << "rda_rus.dat outside Plugins/";
}

}  // namespace
