// The station data: CCabrilloLog::SetupStation with the settings file and
// the station dialog (answered through the portable platform), the Cabrillo
// file's base name and the three forms of the soapbox.
#include <functional>
#include <string>
#include <vector>

#include "module_fixture.h"
#include "platform/profile_text.h"
#include "reports/station.h"

namespace {

using stats::CCabrilloLog;
using stats::g_cabrilloLog;
using stats::StationFields;

constexpr const char* kIniFile = "Plugins\\KESTREL-RTTY.ini";

class StationTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    g_cabrilloLog = CCabrilloLog{};
  }

  // Runs the setup; the dialog records what it was shown, applies `edit`
  // and answers OK or Cancel.
  StationFields RunSetup(const std::string& ownCall, bool ok,
                      std::function<void(StationFields&)> edit = nullptr) {
    StationFields shown;
    stationDialog.answer = [&](StationFields& fields) {
      shown = fields;
      if (edit) edit(fields);
      return ok;
    };
    g_cabrilloLog.SetupStation(ownCall, platform);
    return shown;
  }

  std::string Ini(const std::string& key) {
    return stats::FindProfileValue(ReadFile(kIniFile), "Settings", key).value_or("<none>");
  }
};

TEST(CabrilloFileBaseTest, SlashesAndForbiddenCharactersBecomeUnderscores) {
  const struct {
    const char* call;
    const char* base;
  } cases[] = {
      {"DL1ABC", "DL1ABC"},
      {"DL1ABC/P", "DL1ABC_P"},
      {"EA8/DL1ABC/P", "EA8_DL1ABC_P"},
      {"DL1ABC\\P", "DL1ABC_P"},
      {"  DL1ABC  ", "DL1ABC"},
      {"\tDL1ABC\r\n", "DL1ABC"},   // white space around is removed, not replaced
      {" / ", "_"},                 // replaced first, then trimmed
      {"DL 1ABC", "DL 1ABC"},       // a blank inside stays
      {"", "NOVL"},
      {"   ", "NOVL"},
      {"\t \t", "NOVL"},
      {"A:B", "A_B"},
      {"A*B?C", "A_B_C"},
      {"\"<>|", "____"},
      {"A\x01" "B", "A_B"},          // a control character inside
      {"R\x1f", "R_"},
      {"CON", "_CON"},
      {"con", "_con"},
      {"NUL", "_NUL"},
      {"PRN", "_PRN"},
      {"AUX", "_AUX"},
      {"COM1", "_COM1"},
      {"LPT9", "_LPT9"},
      {" CON ", "_CON"},
      {"CON/P", "CON_P"},           // not a device name any more
      {"COM10", "COM10"},
      {"NUL.X", "_NUL.X"},          // the device is named before the first dot
      {"con.1", "_con.1"},
      {"LPT1 .P", "_LPT1 .P"},      // blanks before the dot do not count
      {"COM0", "_COM0"},
      {"CONIN$", "_CONIN$"},
      {"CONSOLE", "CONSOLE"},
      {"UA3.NUL", "UA3.NUL"},       // only the part before the first dot
      {"CONX", "CONX"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::CabrilloFileBase(c.call), c.base) << "own call \"" << c.call << "\"";
  }
}

// A base is cut to 64 characters before ".cbr" is added, so the export can
// name nothing but a ".cbr" file, whatever the own call holds.
TEST(CabrilloFileBaseTest, LongCallsAreCutToSixtyFourCharacters) {
  const std::string a64(64, 'A');
  const struct {
    std::string call;
    std::string base;
  } cases[] = {
      {a64, a64},
      {a64 + "B", a64},
      {"err.txt" + std::string(65532, 'A'), "err.txt" + std::string(57, 'A')},
      {std::string(70, '/'), std::string(64, '_')},
      {"  " + a64 + "  ", a64},  // blanks around do not count
      // The cut leaves a device name, blanks after it: prefixed within the bound.
      {"CON" + std::string(70, ' ') + "X", "_CON" + std::string(60, ' ')},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::CabrilloFileBase(c.call), c.base)
        << "own call of " << c.call.size() << " characters: \"" << c.call.substr(0, 12) << "...\"";
  }
}

TEST(BoundStoredValueTest, ValuesAreCutToTheBoundAndMarkersKeptWhole) {
  const std::string x4092(4092, 'x');
  const struct {
    const char* name;
    std::string stored;
    std::string expected;
  } cases[] = {
      {"short", "abc", "abc"},
      {"exactly the bound", std::string(4096, 'v'), std::string(4096, 'v')},
      {"one over", std::string(4097, 'v'), std::string(4096, 'v')},
      {"1 MB", std::string(1 << 20, 'v'), std::string(4096, 'v')},
      {"marker ends at the bound", x4092 + "<CR><LF>", x4092 + "<CR>"},
      {"marker cut after one", x4092 + "x" + "<CR>", x4092 + "x"},
      {"marker cut after two", x4092 + "xx" + "<LF>", x4092 + "xx"},
      {"marker cut after three", x4092 + "xxx" + "<CR>", x4092 + "xxx"},
      {"no marker at the cut", x4092 + "x<Cx" + "y", x4092 + "x<Cx"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::BoundStoredValue(c.stored), c.expected) << c.name;
  }
}

TEST(ReplaceAllTest, ReplacementsAreNeverScannedAgain) {
  const struct {
    const char* text;
    const char* from;
    const char* to;
    const char* expected;
  } cases[] = {
      {"a/b/c", "/", "_", "a_b_c"},
      {"aaa", "a", "aa", "aaaaaa"},
      {"<<CR>CR>", "<CR>", "\r", "<\rCR>"},
      {"abab", "ab", "ab", "abab"},
      {"", "x", "y", ""},
      {"x<LF>", "<LF>", "", "x"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    stats::ReplaceAll(text, c.from, c.to);
    EXPECT_EQ(text, c.expected) << "\"" << c.text << "\" with \"" << c.from << "\" -> \"" << c.to
                                << "\"";
  }
}

TEST(SoapboxFormTest, StoredTextAndFileForms) {
  const struct {
    const char* stored;
    const char* text;
    const char* file;
  } cases[] = {
      {"One line", "One line", "One line"},
      {"First<CR><LF>Second", "First\r\nSecond", "First\r\nSOAPBOX: Second"},
      {"a<CR><LF>b<CR><LF>c", "a\r\nb\r\nc", "a\r\nSOAPBOX: b\r\nSOAPBOX: c"},
      {"<CR><LF>", "\r\n", "\r\nSOAPBOX: "},
      {"x<LF>y", "x\ny", "xy"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::SoapboxStoredToText(c.stored), c.text) << "stored \"" << c.stored << "\"";
    EXPECT_EQ(stats::SoapboxTextToStored(c.text), c.stored) << "stored \"" << c.stored << "\"";
    EXPECT_EQ(stats::SoapboxStoredToFile(c.stored), c.file) << "stored \"" << c.stored << "\"";
  }
  // Markers are matched exactly.
  EXPECT_EQ(stats::SoapboxStoredToText("a<cr>b"), "a<cr>b") << "lower-case marker";
}

TEST_F(StationTest, FileBaseComesFromTheOwnCallNotFromTheDialog) {
  RunSetup("EA8/DL1ABC", true, [](StationFields& f) { f.m_strCallsign = "XX9/YY"; });
  EXPECT_EQ(g_cabrilloLog.m_strFileBase, "EA8_DL1ABC") << "callsign edited to XX9/YY";
  EXPECT_EQ(g_cabrilloLog.m_strCallsign, "XX9/YY") << "the edited callsign is kept";
  RunSetup("  ", false);
  EXPECT_EQ(g_cabrilloLog.m_strFileBase, "NOVL") << "blank own call, cancelled";
}

TEST_F(StationTest, WithoutSettingsTheDialogShowsTheDefaults) {
  const StationFields shown = RunSetup("DL1ABC", false);
  EXPECT_EQ(stationDialog.runs, 1) << "dialog runs";
  const struct {
    const char* field;
    std::string value;
    const char* expected;
  } fields[] = {
      {"callsign", shown.m_strCallsign, "DL1ABC"},
      {"operators", shown.m_strOperators, "DL1ABC"},
      {"contest", shown.m_strContest, "KESTREL-RTTY"},
      {"category operator", shown.m_strCategoryOperator, "SINGLE-OP"},
      {"category band", shown.m_strCategoryBand, "ALL"},
      {"name", shown.m_strName, ""},
      {"address", shown.m_strAddress, ""},
      {"city", shown.m_strCity, ""},
      {"postal code", shown.m_strPostalCode, ""},
      {"country", shown.m_strCountry, ""},
      {"claimed", shown.m_strClaimed, ""},
      {"power", shown.m_strPower, ""},
      {"location", shown.m_strLocation, ""},
      {"e-mail", shown.m_strEmail, ""},
      {"club", shown.m_strClub, ""},
      {"soapbox", shown.m_strSoapbox, ""},
      {"category transmitter", shown.m_strCategoryTransmitter, ""},
  };
  for (const auto& f : fields) EXPECT_EQ(f.value, f.expected) << "field " << f.field;
}

TEST_F(StationTest, SettingsAreReadExceptContestCategoryAndBand) {
  WriteFile(kIniFile,
            "[Settings]\r\nOperators=DL1ABC DL2XYZ\r\nName=Hans\r\nAddress=Hauptstr. 1\r\n"
            "Address-City=Bonn\r\nAddress-PostalCode=53111\r\nAddress-Country=Germany\r\n"
            "Claimed=88\r\nBand=80M\r\nPower=100\r\nLoc=JO30\r\nCategory=CHECKLOG\r\n"
            "Contest=OTHER\r\nEmail=dl1abc@example.org\r\nClub=DARC\r\n"
            "SoapBox=First<CR><LF>Second\r\n");
  const StationFields shown = RunSetup("DL1ABC", false);
  const struct {
    const char* field;
    std::string value;
    const char* expected;
  } fields[] = {
      {"operators", shown.m_strOperators, "DL1ABC DL2XYZ"},
      {"name", shown.m_strName, "Hans"},
      {"address", shown.m_strAddress, "Hauptstr. 1"},
      {"city", shown.m_strCity, "Bonn"},
      {"postal code", shown.m_strPostalCode, "53111"},
      {"country", shown.m_strCountry, "Germany"},
      {"claimed", shown.m_strClaimed, "88"},
      {"power", shown.m_strPower, "100"},
      {"location", shown.m_strLocation, "JO30"},
      {"e-mail", shown.m_strEmail, "dl1abc@example.org"},
      {"club", shown.m_strClub, "DARC"},
      {"soapbox", shown.m_strSoapbox, "First\r\nSecond"},
      {"contest", shown.m_strContest, "KESTREL-RTTY"},
      {"category operator", shown.m_strCategoryOperator, "SINGLE-OP"},
      {"category band", shown.m_strCategoryBand, "ALL"},
  };
  for (const auto& f : fields) EXPECT_EQ(f.value, f.expected) << "field " << f.field;
}

TEST_F(StationTest, AnEmptyOperatorsKeyReadsAsEmpty) {
  WriteFile(kIniFile, "[Settings]\r\nOperators=\r\n");
  EXPECT_EQ(RunSetup("DL1ABC", false).m_strOperators, "") << "Operators present but empty";
}

TEST_F(StationTest, LongValuesAreReadWhole) {
  const std::string soapbox(300, 's');
  const std::string address = std::string(150, 'a') + "<end>";
  WriteFile(kIniFile, "[Settings]\r\nSoapBox=" + soapbox + "\r\nAddress=" + address + "\r\n");
  const StationFields shown = RunSetup("DL1ABC", false);
  EXPECT_EQ(shown.m_strSoapbox.size(), 300u) << "300-character soapbox";
  EXPECT_EQ(shown.m_strSoapbox, soapbox) << "300-character soapbox";
  EXPECT_EQ(shown.m_strAddress, address) << "155-character address";
}

// The settings writer does not keep very long values whole: longer values
// are shortened when read and before they are written, every key on its
// own, so one long value costs no other key.
TEST_F(StationTest, LongValuesAreShortenedWhenReadAndWritten) {
  const std::string mb(1 << 20, 'm');
  WriteFile(kIniFile, "[Settings]\r\nName=" + mb +
                          "\r\nClub=DARC\r\nSoapBox=" + std::string(5000, 's') + "\r\n");
  const StationFields shown = RunSetup("DL1ABC", true, [&](StationFields& f) {
    f.m_strAddress = mb;
    f.m_strSoapbox = std::string(1 << 13, '\n');  // stored as "<LF>" each
  });
  EXPECT_EQ(shown.m_strName, std::string(4096, 'm')) << "1 MB Name as read";
  EXPECT_EQ(shown.m_strSoapbox, std::string(4096, 's')) << "5,000-character SoapBox as read";
  EXPECT_EQ(shown.m_strClub, "DARC") << "Club beside long values";
  const struct {
    const char* key;
    std::string expected;
  } keys[] = {
      {"Name", std::string(4096, 'm')},
      {"Address", std::string(4096, 'm')},
      {"Club", "DARC"},
      {"SoapBox",
       [] {
         std::string lines;
         for (int i = 0; i < 1024; ++i) lines += "<LF>";
         return lines;
       }()},
      {"Band", "ALL"},
      {"Operators", "DL1ABC"},
      {"Loc", ""},
  };
  for (const auto& k : keys) EXPECT_EQ(Ini(k.key), k.expected) << "key " << k.key << " after OK";
}

TEST_F(StationTest, OkWritesTheKeysInTheirOrder) {
  g_cabrilloLog.m_arrQsoLines = {"QSO: old\r\n"};
  RunSetup("DL1ABC", true, [](StationFields& f) {
    f.m_strCategoryBand = "80M";
    f.m_strPower = "100";
    f.m_strName = "Hans";
    f.m_strAddress = "Hauptstr. 1";
    f.m_strCity = "Bonn";
    f.m_strPostalCode = "53111";
    f.m_strCountry = "Germany";
    f.m_strEmail = "dl1abc@example.org";
    f.m_strClub = "DARC";
    f.m_strSoapbox = "First\r\nSecond";
    f.m_strLocation = "JO30";
  });
  EXPECT_EQ(ReadFile(kIniFile),
            "[Settings]\r\nBand=80M\r\nPower=100\r\nOperators=DL1ABC\r\nName=Hans\r\n"
            "Address=Hauptstr. 1\r\nAddress-City=Bonn\r\nAddress-PostalCode=53111\r\n"
            "Address-Country=Germany\r\nCategory=SINGLE-OP\r\nContest=KESTREL-RTTY\r\n"
            "Email=dl1abc@example.org\r\nClub=DARC\r\nSoapBox=First<CR><LF>Second\r\n"
            "Loc=JO30\r\n")
      << "settings after OK";
  EXPECT_EQ(g_cabrilloLog.m_strSoapbox, "First\r\nSOAPBOX: Second") << "soapbox in file form";
  EXPECT_EQ(g_cabrilloLog.m_strCategoryBand, "80M") << "band after OK";
  EXPECT_EQ(g_cabrilloLog.m_strLocation, "JO30") << "location after OK";
  EXPECT_TRUE(g_cabrilloLog.m_arrQsoLines.empty()) << "pending lines after OK";
}

TEST_F(StationTest, NextDialogOpensWithAllAgainAndTheSoapboxAsTwoLines) {
  RunSetup("DL1ABC", true, [](StationFields& f) {
    f.m_strCategoryBand = "80M";
    f.m_strSoapbox = "First\r\nSecond";
  });
  EXPECT_EQ(Ini("Band"), "80M") << "Band after OK";
  const StationFields shown = RunSetup("DL1ABC", false);
  EXPECT_EQ(shown.m_strCategoryBand, "ALL") << "band when the dialog reopens";
  EXPECT_EQ(shown.m_strSoapbox, "First\r\nSecond") << "soapbox when the dialog reopens";
}

TEST_F(StationTest, ClaimedEditsAreDropped) {
  WriteFile(kIniFile, "[Settings]\r\nClaimed=88\r\n");
  RunSetup("DL1ABC", true, [](StationFields& f) { f.m_strClaimed = "999999"; });
  EXPECT_EQ(g_cabrilloLog.m_strClaimed, "88") << "claimed field after an edit";
  EXPECT_EQ(Ini("Claimed"), "88") << "Claimed setting after an edit";
}

TEST_F(StationTest, CancelWritesNothingAndKeepsTheLoadedFields) {
  const std::string before = "[Settings]\r\nSoapBox=a<CR><LF>b\r\nClub=DARC\r\n";
  WriteFile(kIniFile, before);
  g_cabrilloLog.m_arrQsoLines = {"QSO: old\r\n"};
  RunSetup("DL1ABC/P", false, [](StationFields& f) {
    f.m_strClub = "changed";
    f.m_strCallsign = "changed";
    f.m_strCategoryBand = "40M";
  });
  EXPECT_EQ(ReadFile(kIniFile), before) << "settings after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strCallsign, "DL1ABC/P") << "callsign after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strFileBase, "DL1ABC_P") << "file base after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strClub, "DARC") << "club after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strOperators, "DL1ABC/P") << "operators after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strCategoryBand, "ALL") << "band after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strContest, "KESTREL-RTTY") << "contest after Cancel";
  EXPECT_EQ(g_cabrilloLog.m_strSoapbox, "a\r\nb") << "soapbox after Cancel keeps its text form";
  EXPECT_EQ(g_cabrilloLog.m_arrQsoLines.size(), 1u) << "pending lines after Cancel";
}

TEST_F(StationTest, CancelWithoutSettingsFileCreatesNone) {
  RunSetup("DL1ABC", false);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "Plugins" / "KESTREL-RTTY.ini"))
      << "settings file after Cancel";
}

}  // namespace
