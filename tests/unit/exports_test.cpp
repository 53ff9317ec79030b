// The export layer natively: constant answers, argument positions, and null
// texts from the host read as empty texts without a crash or an exception.
#include <climits>
#include <cstring>
#include <string>

#include "engine/contest_state.h"
#include "locked_state.h"
#include "module_fixture.h"
#include "plugin/exports.h"

namespace {

using ATL::COleDateTime;

constexpr double kDay15Mar2024 = 45366.0;  // counted by hand from 30 Dec 1899

class ExportsTest : public ModuleTest {};

// The host lists a name for every set it counts; a name longer than this
// would not be a contest name but text running on past its end.
constexpr std::size_t kLongestSetName = 64;

TEST_F(ExportsTest, EveryCountedSetHasAShortNameAndEveryOtherIndexTheEmptyText) {
  const int sets = GetNumberOfSets();
  ASSERT_GE(sets, 1) << "GetNumberOfSets()";
  for (int index = 0; index < sets; ++index) {
    const char* name = GetSetName(index);
    ASSERT_NE(name, nullptr) << "index " << index;
    const std::size_t length = strnlen(name, kLongestSetName + 1);
    EXPECT_GT(length, 0u) << "index " << index;
    EXPECT_LE(length, kLongestSetName) << "index " << index;
  }
  for (int index : {sets, sets + 1, -1, INT_MAX, INT_MIN}) {
    const char* name = GetSetName(index);
    ASSERT_NE(name, nullptr) << "index " << index;
    EXPECT_STREQ(name, "") << "index " << index;
  }
}

TEST_F(ExportsTest, SetNameTextOutlivesOtherCalls) {
  const char* name = GetSetName(0);
  GetSetName(1);
  ResetStats0(nullptr, 0, "R1AA", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
              nullptr, nullptr, nullptr, nullptr, "DL", 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
              nullptr);
  EXPECT_STREQ(name, "KESTREL-RTTY (C)") << "pointer of GetSetName(0) after later calls";
}

TEST_F(ExportsTest, SetupShowsItsOneMessage) {
  EXPECT_NO_THROW(SetupSet0());
  ASSERT_EQ(platform.messages.size(), 1u) << "SetupSet0()";
  EXPECT_EQ(platform.messages[0].text, "No additional setup for this contest");
  EXPECT_FALSE(platform.messages[0].caption.has_value()) << "the system's default caption";
  EXPECT_EQ(platform.messages[0].icon, stats::MessageIcon::None);
}

TEST_F(ExportsTest, RunCommandAlwaysAnswersTheEmptyText) {
  const struct {
    int code;
    const char* command;
  } cases[] = {{0, "SHOWINFO"}, {0, "HIDEINFO"}, {1, "HIDEINFO"}, {0, ""},
               {-5, "unknown"}, {0, nullptr},    {7, nullptr}};
  for (const auto& c : cases) {
    const char* answer = nullptr;
    EXPECT_NO_THROW(answer = RunCommand0(c.code, c.command))
        << c.code << ", " << (c.command ? c.command : "(null)");
    ASSERT_NE(answer, nullptr) << c.code << ", " << (c.command ? c.command : "(null)");
    EXPECT_STREQ(answer, "") << c.code << ", " << (c.command ? c.command : "(null)");
  }
}

TEST_F(ExportsTest, OnlyTheExactCommandsShowAndHideTheDisplay) {
  const struct {
    const char* command;
    int starts, stops;
  } cases[] = {{"SHOWINFO", 1, 0},  {"HIDEINFO", 0, 1},  {"showinfo", 0, 0}, {"SHOWINFO ", 0, 0},
               {" HIDEINFO", 0, 0}, {"SHOWINFOX", 0, 0}, {"", 0, 0},         {nullptr, 0, 0}};
  const char* first = RunCommand0(0, "none");
  for (const auto& c : cases) {
    const std::string name = c.command ? std::string("\"") + c.command + "\"" : "(null)";
    display.starts = display.stops = 0;
    const char* answer = RunCommand0(0, c.command);
    EXPECT_EQ(display.starts, c.starts) << name;
    EXPECT_EQ(display.stops, c.stops) << name;
    EXPECT_EQ(answer, first) << name << ": always the same text";
  }
}

TEST_F(ExportsTest, IsValidExchangeReadsPositionsZeroAndTwo) {
  const struct {
    const char* exchange;
    const char* p1;
    const char* prefix;
    const char* p3;
    int expected;
  } cases[] = {
      {"MO", "DL", "UA", "DL", 1},  // Russian by position 2
      {"MO", "UA", "DL", "UA", 0},  // not Russian by position 2
      {"0017", "UA", "UR", "UA", 1},
      {"599", "", "DL", "", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidExchg0(c.exchange, c.p1, c.prefix, c.p3, 4, 5, 6), c.expected)
        << "exchange " << c.exchange << ", prefix " << c.prefix;
  }
}

TEST_F(ExportsTest, NullTextsAreEmptyTextsForTheExchangeCheck) {
  int result = -1;
  EXPECT_NO_THROW(result = IsValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0));
  EXPECT_EQ(result, 0) << "null exchange is the empty exchange";
  EXPECT_NO_THROW(result = IsValidExchg0("12", nullptr, nullptr, nullptr, 0, 0, 0));
  EXPECT_EQ(result, 1) << "\"12\" with a null prefix (not Russian)";
  EXPECT_NO_THROW(result = IsValidExchg0(nullptr, nullptr, "UA", nullptr, 0, 0, 0));
  EXPECT_EQ(result, 0) << "null exchange from UA";
}

TEST_F(ExportsTest, IntakeWithEveryPointerNullIsRefusedForItsMode) {
  int result = -1;
  EXPECT_NO_THROW(result = AddData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u, 0u,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
                                    nullptr, nullptr));
  EXPECT_EQ(result, 0) << "all null: the empty band passes, the empty mode does not";
  EXPECT_TRUE(locked::LogEmpty());
  // "QSO:  " 0 kHz, then eight empty pieces each after two spaces.
  EXPECT_EQ(ReadFile("err.txt"), "QSO:  0" + std::string(16, ' ') + "   NO TEST MODE !!!\r\n");

  EXPECT_NO_THROW(result = RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u,
                                       0u, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                                       nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(result, 0) << "removal with null exchanges";
}

TEST_F(ExportsTest, NullCallBandAndTimeAreStoredEmptyAndCheckedAsEmpty) {
  platform.fixedNow = stats::UtcTime{2024, 3, 15, 0, 10, 0};
  int result = -1;
  EXPECT_NO_THROW(result = AddData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u,
                                    3580000u, "RTTY", nullptr, nullptr, "001", "0017", nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, "UA", 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
                                    nullptr, nullptr));
  EXPECT_EQ(result, 1) << "RTTY with both exchanges, everything else null";
  ASSERT_EQ(locked::LogSize(), 1u);
  EXPECT_EQ(locked::LoggedQso(0).m_strCall, "");
  EXPECT_EQ(locked::LoggedQso(0).m_strBand, "");
  EXPECT_EQ(locked::LoggedQso(0).m_strExtra, "");
  EXPECT_EQ(locked::LoggedQso(0).m_dtTime.GetStatus(), COleDateTime::null) << "null time pointer";
  EXPECT_EQ(locked::Bands(), (stats::TextList{""}));

  // A null-time record has no hour, so even an empty call is not blocked.
  char warning[100];
  std::memset(warning, 'Z', sizeof warning);
  EXPECT_NO_THROW(result = CheckCall0(nullptr, 0u, 0u, "RTTY", nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0,
                                      0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, warning));
  EXPECT_EQ(result, 1) << "null call and band against a null-time record";

  // Removal by the same null key: two null times are equal.
  EXPECT_NO_THROW(result = RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u,
                                       0u, "RTTY", nullptr, nullptr, "1", "2", nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
                                       nullptr, nullptr, nullptr));
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(locked::LogEmpty()) << "null call, band and time match the stored empty ones";
}

TEST_F(ExportsTest, CallCheckWithNullTextsMatchesEmptyTexts) {
  platform.fixedNow = stats::UtcTime{2024, 3, 15, 12, 10, 0};
  COleDateTime noon(kDay15Mar2024 + 0.5, COleDateTime::valid);
  ASSERT_EQ(AddData0("", "", &noon, nullptr, nullptr, nullptr, 0u, 0u, "RTTY", "", "", "1", "2",
                     "", "", "", "", "", "", "", "", "", "", 0, 0, 0, 0.0, 0.0, "", "", "", "",
                     ""),
            1);
  int result = -1;
  EXPECT_NO_THROW(result = CheckCall0(nullptr, 0u, 0u, "RTTY", nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0,
                                      0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(result, 4) << "null call and band equal the logged empty ones; null buffer untouched";
  EXPECT_NO_THROW(result = CheckCall0(nullptr, 0u, 0u, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0,
                                      0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(result, 1) << "null mode is not RTTY";
}

TEST_F(ExportsTest, ResetWithNullTextsAndDates) {
  int result = -1;
  EXPECT_NO_THROW(result = ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
                                       nullptr));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(locked::OwnCall(), "") << "null own call";
  EXPECT_EQ(locked::EndDate(), "") << "null end pointer reads as a null date";
  EXPECT_EQ(locked::EndYear(), "") << "null end pointer";
  EXPECT_EQ(locked::Russian(), 0) << "null prefix is no Russian prefix";
  EXPECT_EQ(ReadFile("err.txt"), "KESTREL-RTTY UBN file \r\n");
}

TEST_F(ExportsTest, ResultWithANullPointerInBothModes) {
  const char* text = nullptr;
  EXPECT_NO_THROW(text = GetResult0(nullptr)) << "before any reset";
  EXPECT_NE(text, nullptr) << "before any reset";

  ResetStats0(nullptr, 1, "R1AA", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
              nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
              nullptr);
  text = nullptr;
  EXPECT_NO_THROW(text = GetResult0(nullptr)) << "output mode, null result pointer";
  EXPECT_NE(text, nullptr) << "output mode, null result pointer";
}

}  // namespace
