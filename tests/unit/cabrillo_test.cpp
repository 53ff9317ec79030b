// The Cabrillo writer: QSO lines, the host version from the executables in
// the working directory, the file byte for byte and the export step of an
// output-mode result with its message.
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "engine/contest_rules.h"
#include "module_fixture.h"
#include "pe_image_builder.h"
#include "plugin/exports.h"
#include "reports/cabrillo.h"
#include "reports/station.h"

namespace {

using stats::CCabrilloLog;
using stats::FileVersion;
using stats::g_cabrilloLog;
using stats::MessageIcon;

ATL::COleDateTime At(int year, int month, int day, int hour, int minute) {
  return ATL::COleDateTime(stats::CalendarToOleDate({year, month, day, hour, minute, 0}),
                           ATL::COleDateTime::valid);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    end = end == std::string::npos ? text.size() : end + 2;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

TEST(QsoLineTest, FieldsInOrderWithMinimumWidths) {
  const ATL::COleDateTime evening = At(2024, 2, 24, 18, 5);
  const ATL::COleDateTime midnight = At(2024, 1, 1, 0, 0);
  const ATL::COleDateTime none(0.0, ATL::COleDateTime::null);
  const struct {
    const char* name;
    std::string station;
    int freq;
    std::string mode;
    const ATL::COleDateTime* time;
    std::string rstSent, sent, call, rstRcvd, rcvd;
    const char* line;
  } cases[] = {
      {"3580 kHz RTTY", "DL1ABC", 3580, "RY", &evening, "599", "001", "RA3AB", "599", "AA",
       "QSO:  3580 RY 2024-02-24 1805 DL1ABC        599 001    RA3AB         599 AA\r\n"},
      {"five-digit frequency", "DL1ABC", 14080, "RY", &evening, "599", "001", "RA3AB", "599",
       "AA", "QSO: 14080 RY 2024-02-24 1805 DL1ABC        599 001    RA3AB         599 AA\r\n"},
      {"six-digit frequency pushes the rest", "DL1ABC", 145000, "RY", &evening, "599", "001",
       "RA3AB", "599", "AA",
       "QSO: 145000 RY 2024-02-24 1805 DL1ABC        599 001    RA3AB         599 AA\r\n"},
      {"zero frequency", "DL1ABC", 0, "RY", &evening, "599", "001", "RA3AB", "599", "AA",
       "QSO:     0 RY 2024-02-24 1805 DL1ABC        599 001    RA3AB         599 AA\r\n"},
      {"other mode, two-digit RSTs", "DL1ABC", 7040, "??", &midnight, "59", "002", "UA9ABC", "59",
       "MO12", "QSO:  7040 ?? 2024-01-01 0000 DL1ABC        59  002    UA9ABC        59  MO12\r\n"},
      {"station call of 15 characters written whole", "DL1ABC/P/QRP12", 3580, "RY", &evening,
       "599", "001", "RA3AB", "599", "AA",
       "QSO:  3580 RY 2024-02-24 1805 DL1ABC/P/QRP12 599 001    RA3AB         599 AA\r\n"},
      {"worked call of exactly 13", "DL1ABC", 3580, "RY", &evening, "599", "001", "RA3ABCDEFGHIJ",
       "599", "AA",
       "QSO:  3580 RY 2024-02-24 1805 DL1ABC        599 001    RA3ABCDEFGHIJ 599 AA\r\n"},
      {"long exchange sent and RST", "DL1ABC", 3580, "RY", &evening, "5999", "0012345", "RA3AB",
       "599", "AA",
       "QSO:  3580 RY 2024-02-24 1805 DL1ABC        5999 0012345 RA3AB         599 AA\r\n"},
      {"empty RSTs and exchanges", "DL1ABC", 3580, "RY", &evening, "", "", "RA3AB", "", "",
       "QSO:  3580 RY 2024-02-24 1805 DL1ABC                   RA3AB             \r\n"},
      {"null date-time", "DL1ABC", 3580, "RY", &none, "599", "001", "RA3AB", "599", "AA",
       "QSO:  3580 RY  DL1ABC        599 001    RA3AB         599 AA\r\n"},
  };
  for (const auto& c : cases) {
    const std::string line = stats::FormatQsoLine(
        {c.station, c.freq, c.mode, c.time, c.rstSent, c.sent, c.call, c.rstRcvd, c.rcvd});
    EXPECT_EQ(line, c.line) << c.name;
  }
}

TEST(QsoLineTest, AddQsoLineAppendsWithTheStationCallsign) {
  CCabrilloLog log;
  log.m_strCallsign = "DL1ABC";
  const ATL::COleDateTime evening = At(2024, 2, 24, 18, 5);
  log.AddQsoLine("RA3AB", 3580, "RY", &evening, "599", "001", "599", "AA");
  log.AddQsoLine("UA9ABC", 7040, "??", &evening, "59", "002", "59", "MO12");
  ASSERT_EQ(log.m_arrQsoLines.size(), 2u) << "two lines added";
  EXPECT_EQ(log.m_arrQsoLines[0],
            "QSO:  3580 RY 2024-02-24 1805 DL1ABC        599 001    RA3AB         599 AA\r\n")
      << "first line";
  EXPECT_EQ(log.m_arrQsoLines[1],
            "QSO:  7040 ?? 2024-02-24 1805 DL1ABC        59  002    UA9ABC        59  MO12\r\n")
      << "second line";
}

TEST(VersionTextTest, MajorTwoGivesTwoPartsOtherwiseThree) {
  const struct {
    FileVersion version;
    const char* text;
  } cases[] = {
      {{2, 20, 0, 0}, "2.20"},
      {{2, 0, 9, 9}, "2.0"},
      {{3, 1, 4, 0}, "3.1.4"},
      {{3, 0, 0, 7}, "3.0.0"},
      {{1, 2, 3, 4}, "1.2.3"},
      {{0, 0, 0, 0}, "0.0.0"},
      {{65535, 65535, 65535, 65535}, "65535.65535.65535"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::VersionText(c.version), c.text)
        << c.version.major << "." << c.version.minor << "." << c.version.third << "."
        << c.version.fourth;
  }
}

class CabrilloTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    g_cabrilloLog = CCabrilloLog{};
  }

  void WriteImage(const std::string& name, std::optional<FileVersion> version) {
    pe_test::ImageLayout layout;
    if (version) layout.resources.push_back({pe_test::kVersionType, *version});
    else layout.resources.push_back({pe_test::kIconType, {9, 9, 9, 9}});
    WriteFile(name, pe_test::BuildImage(layout).bytes);
  }

  void FillStation() {
    g_cabrilloLog.m_strCallsign = "DL1ABC/P";
    g_cabrilloLog.m_strFileBase = "DL1ABC_P";
    g_cabrilloLog.m_strCategoryOperator = "SINGLE-OP";
    g_cabrilloLog.m_strCategoryBand = "ALL";
    g_cabrilloLog.m_strLocation = "JO30";
    g_cabrilloLog.m_strClub = "DARC";
    g_cabrilloLog.m_strName = "Hans";
    g_cabrilloLog.m_strAddress = "Hauptstr. 1";
    g_cabrilloLog.m_strCity = "Bonn";
    g_cabrilloLog.m_strPostalCode = "53111";
    g_cabrilloLog.m_strCountry = "Germany";
    g_cabrilloLog.m_strEmail = "dl1abc@example.org";
    g_cabrilloLog.m_strSoapbox = "First\r\nSOAPBOX: Second";
    g_cabrilloLog.m_bSoapboxFileForm = true;  // as a confirmed dialog leaves it
    // Fields that are never written.
    g_cabrilloLog.m_strOperators = "OPERATORS-FIELD";
    g_cabrilloLog.m_strPower = "POWER-FIELD";
    g_cabrilloLog.m_strContest = "CONTEST-FIELD";
    g_cabrilloLog.m_strClaimed = "CLAIMED-FIELD";
    g_cabrilloLog.m_strCategoryTransmitter = "TRANSMITTER-FIELD";
  }

  void Log(const std::string& call, int freqKHz, const std::string& mode,
           const ATL::COleDateTime& time, const std::string& rstSent, const std::string& sent,
           const std::string& rstRcvd, const std::string& rcvd) {
    stats::CInfo qso;
    qso.m_strCall = call;
    qso.m_nFreqKHz = freqKHz;
    qso.m_strMode = mode;
    qso.m_dtTime = time;
    qso.m_strRstSent = rstSent;
    qso.m_strSent = sent;
    qso.m_strRstRcvd = rstRcvd;
    qso.m_strRcvd = rcvd;
    qso.m_strBand = freqKHz < 5000 ? "80m" : "40m";
    const stats::ContestStateLock state;
    state.Log().Append(qso);
  }

  void LogTwo() {
    Log("RA3AB", 3580, "RTTY", At(2024, 2, 24, 18, 5), "599", "001", "599", "AA");
    Log("UA9ABC", 7040, "PSK31", At(2024, 2, 24, 19, 59), "59", "002", "59", "MO12");
  }

  static constexpr const char* kHeaderTail =
      "CATEGORY-OPERATOR: SINGLE-OP\r\n"
      "CATEGORY-BAND: ALL\r\n"
      "CATEGORY-MODE: DIGI\r\n"
      "LOCATION: JO30\r\n";
  static constexpr const char* kAddressPart =
      "NAME: Hans\r\n"
      "ADDRESS: Hauptstr. 1\r\n"
      "ADDRESS-CITY: Bonn\r\n"
      "ADDRESS-POSTALCODE: 53111\r\n"
      "ADDRESS-COUNTRY: Germany\r\n"
      "E-MAIL: dl1abc@example.org\r\n"
      "SOAPBOX: First\r\n"
      "SOAPBOX: Second\r\n";
  static constexpr const char* kQsoLines =
      "QSO:  3580 RY 2024-02-24 1805 DL1ABC/P      599 001    RA3AB         599 AA\r\n"
      "QSO:  7040 ?? 2024-02-24 1959 DL1ABC/P      59  002    UA9ABC        59  MO12\r\n";
};

TEST_F(CabrilloTest, ExportWritesTheNineteenPartsByteForByte) {
  FillStation();
  LogTwo();
  WriteImage("OrvoHost.exe", FileVersion{2, 20, 0, 0});
  stats::ExportCabrillo(88, platform);
  EXPECT_EQ(ReadFile("DL1ABC_P.cbr"), std::string("START-OF-LOG: 3.0\r\n"
                                                   "CONTEST: KESTREL-RTTY\r\n"
                                                   "CALLSIGN: DL1ABC/P\r\n") +
                                          kHeaderTail +
                                          "CLAIMED-SCORE: 88\r\n"
                                          "CLUB: DARC\r\n"
                                          "CREATED-BY: Orvo 2.20\r\n" +
                                          kAddressPart + kQsoLines + "END-OF-LOG:\r\n")
      << "file of a two-QSO log";
  ASSERT_EQ(platform.messages.size(), 1u) << "messages after one export";
  EXPECT_EQ(platform.messages[0].text, "File produced: DL1ABC_P.cbr") << "message text";
  EXPECT_EQ(platform.messages[0].caption.value_or("<default>"), "Output") << "message caption";
  EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information) << "message icon";
}

TEST_F(CabrilloTest, EmptyLogGivesSeventeenHeaderLinesThenEndOfLog) {
  const std::string text = stats::CabrilloText(g_cabrilloLog, 0, std::nullopt);
  EXPECT_EQ(text,
            "START-OF-LOG: 3.0\r\nCONTEST: KESTREL-RTTY\r\nCALLSIGN: \r\nCATEGORY-OPERATOR: \r\n"
            "CATEGORY-BAND: \r\nCATEGORY-MODE: DIGI\r\nLOCATION: \r\nCLAIMED-SCORE: 0\r\n"
            "CLUB: \r\nCREATED-BY: Orvo \r\nNAME: \r\nADDRESS: \r\nADDRESS-CITY: \r\n"
            "ADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\nE-MAIL: \r\nSOAPBOX: \r\n"
            "END-OF-LOG:\r\n")
      << "empty station data, empty log";
  EXPECT_EQ(Lines(text).size(), 18u) << "seventeen header lines and the end";
}

TEST_F(CabrilloTest, HostVersionComesFromTheFirstExecutableNamedLikeTheHost) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::optional<FileVersion>>> files;
    std::optional<std::string> expected;
  } cases[] = {
      {"no executable", {}, std::nullopt},
      {"host 2.20", {{"OrvoHost.exe", FileVersion{2, 20, 0, 0}}}, "2.20"},
      {"host 3.1.4.0", {{"OrvoHost.exe", FileVersion{3, 1, 4, 0}}}, "3.1.4"},
      {"name containing the host's name", {{"MyOrvo2.exe", FileVersion{2, 31, 0, 0}}}, "2.31"},
      {"only a non-matching executable", {{"other.exe", FileVersion{2, 20, 0, 0}}}, std::nullopt},
      {"non-matching and matching",
       {{"other.exe", FileVersion{9, 9, 9, 9}}, {"OrvoHost.exe", FileVersion{3, 1, 4, 0}}},
       "3.1.4"},
      {"name in other case", {{"orvohost.exe", FileVersion{2, 20, 0, 0}}}, std::nullopt},
      {"not an executable", {{"OrvoHost.dll", FileVersion{2, 20, 0, 0}}}, std::nullopt},
      {"host without version resource", {{"OrvoHost.exe", std::nullopt}}, std::nullopt},
  };
  for (const auto& c : cases) {
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
      if (entry.is_regular_file()) std::filesystem::remove(entry.path());
    }
    for (const auto& [file, version] : c.files) WriteImage(file, version);
    EXPECT_EQ(stats::HostVersionText(platform).value_or("<none>"), c.expected.value_or("<none>"))
        << c.name;
    const std::string created = "CREATED-BY: Orvo " + c.expected.value_or("") + "\r\n";
    EXPECT_NE(stats::CabrilloText(g_cabrilloLog, 0, stats::HostVersionText(platform))
                  .find("\r\n" + created),
              std::string::npos)
        << c.name << ": want " << created;
  }
}

TEST_F(CabrilloTest, ModeIsRyOnlyForExactlyRtty) {
  const struct {
    const char* mode;
    const char* field;
  } cases[] = {{"RTTY", "RY"}, {"rtty", "??"}, {"PSK31", "??"}, {"", "??"}, {"RTTY ", "??"}};
  for (const auto& c : cases) {
    stats::RestoreLoadState();
    platform.messages.clear();
    g_cabrilloLog.m_strCallsign = "DL1ABC";
    g_cabrilloLog.m_strFileBase = "DL1ABC";
    Log("RA3AB", 3580, c.mode, At(2024, 2, 24, 18, 5), "599", "001", "599", "AA");
    stats::ExportCabrillo(0, platform);
    const std::string want = std::string("QSO:  3580 ") + c.field + " 2024-02-24 1805 ";
    EXPECT_NE(ReadFile("DL1ABC.cbr").find("\r\n" + want), std::string::npos)
        << "mode \"" << c.mode << "\": want " << want;
  }
}

TEST_F(CabrilloTest, EveryExportWritesEachQsoOnce) {
  FillStation();
  LogTwo();
  g_cabrilloLog.m_arrQsoLines = {"QSO: left over from before\r\n"};
  stats::ExportCabrillo(88, platform);
  stats::ExportCabrillo(88, platform);
  const std::string file = ReadFile("DL1ABC_P.cbr");
  EXPECT_NE(file.find(std::string("SOAPBOX: Second\r\n") + kQsoLines + "END-OF-LOG:\r\n"),
            std::string::npos)
      << "second export\n" << file;
  EXPECT_EQ(file.find("left over"), std::string::npos) << "stale pending line in\n" << file;
}

TEST_F(CabrilloTest, OutputModeResultsWriteTheScoreAndEachQsoOnce) {
  FillStation();
  LogTwo();
  {
    const stats::ContestStateLock state;
    state.Bands() = {"80m", "40m"};
    state.Output() = 1;
  }
  int value = 0;
  GetResult0(&value);
  GetResult0(&value);
  const std::string file = ReadFile("DL1ABC_P.cbr");
  // No district fields set: a score of 0, whatever the points.
  EXPECT_NE(file.find("\r\nCLAIMED-SCORE: 0\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find(std::string("SOAPBOX: Second\r\n") + kQsoLines + "END-OF-LOG:\r\n"),
            std::string::npos)
      << "after two output-mode results\n" << file;
  EXPECT_EQ(platform.messages.size(), 2u) << "one message per output-mode result";
}

TEST_F(CabrilloTest, ClaimedScoreIsTheScoreOfTheSameResult) {
  g_cabrilloLog.m_strFileBase = "DL1ABC";
  {
    const stats::ContestStateLock state;
    state.OwnCall() = "DL1ABC";
    stats::CInfo qso;
    qso.m_strCall = "RA3AB";
    qso.m_strBand = "80m";
    qso.m_strMode = "RTTY";
    qso.m_strMoscow = "AA";
    state.Log().Append(qso);
    qso.m_strCall = "UA3CT";
    qso.m_strMoscow = "AB";
    state.Log().Append(qso);
    state.Bands() = {"80m"};
    state.Output() = 1;
  }
  int value = 0;
  GetResult0(&value);
  // Two Moscow calls for a station outside Moscow, 2 districts.
  const long long score = 2 * stats::kPointsAcrossMoscowBoundary * 2;
  EXPECT_NE(ReadFile("DL1ABC.cbr").find("\r\nCLAIMED-SCORE: " + std::to_string(score) + "\r\n"),
            std::string::npos)
      << ReadFile("DL1ABC.cbr");
}

TEST_F(CabrilloTest, FileThatCannotBeWrittenGivesAFailureMessage) {
  const struct {
    const char* name;
    bool failWrites;
    bool folder;
    std::string reason;
  } cases[] = {
      {"writes fail", true, false, "writing was made to fail"},
      {"folder named like the file", false, true, std::strerror(EISDIR)},
  };
  for (const auto& c : cases) {
    platform.messages.clear();
    platform.failWrites = c.failWrites;
    std::filesystem::remove_all(m_dir / "DL1ABC.cbr");
    if (c.folder) std::filesystem::create_directory(m_dir / "DL1ABC.cbr");
    g_cabrilloLog.m_strCallsign = "DL1ABC";
    g_cabrilloLog.m_strFileBase = "DL1ABC";
    stats::ExportCabrillo(0, platform);
    ASSERT_EQ(platform.messages.size(), 1u) << c.name;
    const std::string& text = platform.messages[0].text;
    EXPECT_EQ(text.find("File produced: "), std::string::npos) << c.name << ": " << text;
    EXPECT_NE(text.find("DL1ABC.cbr"), std::string::npos) << c.name << ": " << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << c.name << ": " << text;
    EXPECT_EQ(std::filesystem::is_regular_file(m_dir / "DL1ABC.cbr"), false) << c.name;
  }
}

TEST_F(CabrilloTest, FileNameAndSoapboxComeFromTheStationSetup) {
  const struct {
    const char* ownCall;
    const char* message;
  } cases[] = {
      {"DL1ABC/P", "File produced: DL1ABC_P.cbr"},
      {"  ", "File produced: NOVL.cbr"},
      {"EA8\\DL1ABC", "File produced: EA8_DL1ABC.cbr"},
  };
  for (const auto& c : cases) {
    platform.messages.clear();
    stationDialog.answer = [](stats::StationFields& f) {
      f.m_strSoapbox = "First\r\nSecond";
      return true;
    };
    g_cabrilloLog.SetupStation(c.ownCall, platform);
    stats::ExportCabrillo(0, platform);
    ASSERT_EQ(platform.messages.size(), 1u) << "own call \"" << c.ownCall << "\"";
    EXPECT_EQ(platform.messages[0].text, c.message) << "own call \"" << c.ownCall << "\"";
    const std::string file = ReadFile(std::string(c.message).substr(15));
    EXPECT_NE(file.find("\r\nSOAPBOX: First\r\nSOAPBOX: Second\r\nEND-OF-LOG:\r\n"),
              std::string::npos)
        << "own call \"" << c.ownCall << "\"\n" << file;
  }
}

// An own call of tens of thousands of characters must not let the export
// name another file of the folder: the journal stays as it was.
TEST_F(CabrilloTest, AVeryLongOwnCallWritesABoundedCbrFile) {
  WriteFile("err.txt", "journal line\r\n");
  stationDialog.answer = [](stats::StationFields&) { return true; };
  g_cabrilloLog.SetupStation("err.txt" + std::string(65532, 'A'), platform);
  stats::ExportCabrillo(0, platform);
  const std::string name = "err.txt" + std::string(57, 'A') + ".cbr";
  ASSERT_EQ(platform.messages.size(), 1u) << "messages of the export";
  EXPECT_EQ(platform.messages[0].text, "File produced: " + name) << "export's message";
  EXPECT_NE(ReadFile(name).find("END-OF-LOG:\r\n"), std::string::npos) << name;
  EXPECT_EQ(ReadFile("err.txt"), "journal line\r\n") << "journal after the export";
}

}  // namespace

// Every soapbox line becomes a tagged line, whichever form the soapbox is in:
// after a confirmed dialog further lines carry their tag already; otherwise
// they are bare line breaks that must not start untagged lines.
TEST_F(CabrilloTest, EverySoapboxLineIsTagged) {
  struct Case {
    const char* soapbox;
    bool fileForm;
    const char* lines;
  };
  const Case cases[] = {
      {"", false, "SOAPBOX: \r\n"},
      {"", true, "SOAPBOX: \r\n"},
      {"One line", false, "SOAPBOX: One line\r\n"},
      {"First\r\nSOAPBOX: Second", true, "SOAPBOX: First\r\nSOAPBOX: Second\r\n"},
      {"First\r\nSecond", false, "SOAPBOX: First\r\nSOAPBOX: Second\r\n"},
      {"First\nSecond\rThird", false, "SOAPBOX: First\r\nSOAPBOX: Second\r\nSOAPBOX: Third\r\n"},
      {"Ends with a break\r\n", false, "SOAPBOX: Ends with a break\r\nSOAPBOX: \r\n"},
      // The operator's own text is written as typed, tag-like words included.
      {"First\r\nSOAPBOX: typed", false, "SOAPBOX: First\r\nSOAPBOX: SOAPBOX: typed\r\n"},
      {"First\r\nSOAPBOX: SOAPBOX: typed", true,
       "SOAPBOX: First\r\nSOAPBOX: SOAPBOX: typed\r\n"},
  };
  for (const Case& c : cases) {
    g_cabrilloLog.m_strSoapbox = c.soapbox;
    g_cabrilloLog.m_bSoapboxFileForm = c.fileForm;
    const std::string text = stats::CabrilloText(g_cabrilloLog, 0, std::nullopt);
    const std::size_t from = text.find("E-MAIL: \r\n") + 10;
    const std::size_t to = text.find("END-OF-LOG:");
    EXPECT_EQ(text.substr(from, to - from), c.lines)
        << "soapbox \"" << c.soapbox << "\"" << (c.fileForm ? " in file form" : " as text");
  }
}

TEST_F(CabrilloTest, CancelledStationDialogStillTagsEverySoapboxLine) {
  WriteFile(stats::g_strIniFile, "[Settings]\r\nSoapBox=Good luck<CR><LF>73\r\n");
  stationDialog.answer = [](stats::StationFields&) { return false; };
  g_cabrilloLog.SetupStation("R3XYZ", platform);
  stats::ExportCabrillo(0, platform);
  const std::string file = ReadFile("R3XYZ.cbr");
  EXPECT_NE(file.find("E-MAIL: \r\nSOAPBOX: Good luck\r\nSOAPBOX: 73\r\nEND-OF-LOG:\r\n"),
            std::string::npos)
      << file;
}
