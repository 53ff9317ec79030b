// The INI text functions behind the portable platform's profile access:
// finding a value and setting one, with names compared regardless of case.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "platform/profile_text.h"

namespace {

using stats::FindProfileValue;
using stats::ReadProfileValue;
using stats::SetProfileValue;

// Control characters made visible in failure messages.
std::string Shown(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') shown += "\\r";
    else if (c == '\n') shown += "\\n";
    else shown += c;
  }
  return shown;
}

TEST(ProfileTextTest, FindsTheValueOfAKeyInItsSection) {
  const struct {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  } cases[] = {
      {"[Settings]\r\nClaimed=88\r\n", "Settings", "Claimed", "88"},
      {"[settings]\r\nCLAIMED=88\r\n", "Settings", "Claimed", "88"},
      {"[Settings]\r\nClaimed=88\r\n", "SETTINGS", "claimed", "88"},
      {"[ Settings ]\r\n  Claimed  =  88  \r\n", "Settings", "Claimed", "88"},
      {"[Settings]\nClaimed=88\n", "Settings", "Claimed", "88"},
      {"[Settings]\r\nClaimed=88", "Settings", "Claimed", "88"},
      {"[Settings]\r\nClaimed=\r\n", "Settings", "Claimed", ""},
      {"[Settings]\r\nSoapBox=a=b\r\n", "Settings", "SoapBox", "a=b"},
      {"[Settings]\r\nClaimed=1\r\nClaimed=2\r\n", "Settings", "Claimed", "1"},
      {"[Settings]\r\nName=A\r\nno key here\r\nClub=C\r\n", "Settings", "Club", "C"},
      {"[Other]\r\nClaimed=1\r\n[Settings]\r\nName=x\r\n", "Settings", "Claimed", std::nullopt},
      {"[Settings]\r\nName=x\r\n[Other]\r\nClaimed=1\r\n", "Settings", "Claimed", std::nullopt},
      {"[Other]\r\nClaimed=1\r\n[Settings]\r\nClaimed=2\r\n", "Settings", "Claimed", "2"},
      {"Claimed=1\r\n[Settings]\r\n", "Settings", "Claimed", std::nullopt},
      {"[Settings]\r\nClaimed2=5\r\n", "Settings", "Claimed", std::nullopt},
      {"[Settings]\r\nClaimed=5\r\n", "Settings", "Claimed2", std::nullopt},
      {"[SettingsX]\r\nClaimed=5\r\n", "Settings", "Claimed", std::nullopt},
      {"", "Settings", "Claimed", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindProfileValue(c.text, c.section, c.key).value_or("<none>"),
              c.expected.value_or("<none>"))
        << "[" << c.section << "] " << c.key << " in \"" << Shown(c.text) << "\"";
  }
}

TEST(ProfileTextTest, ReadsAValueWithoutTheQuotesAroundIt) {
  const struct {
    const char* stored;
    const char* read;
  } cases[] = {
      {"\"73 de R3XYZ\"", "73 de R3XYZ"},
      {"'73'", "73"},
      {"\"\"", ""},
      {"\"a\"b\"", "a\"b"},
      {"\"", "\""},
      {"'73\"", "'73\""},
      {"\"73", "\"73"},
      {"7\"3\"", "7\"3\""},
  };
  for (const auto& c : cases) {
    const std::string text = std::string("[Settings]\r\nSoapBox=") + c.stored + "\r\n";
    EXPECT_EQ(ReadProfileValue(text, "Settings", "SoapBox").value_or("<none>"), c.read)
        << "stored " << c.stored;
  }
  EXPECT_EQ(ReadProfileValue("[Settings]\r\n", "Settings", "SoapBox"), std::nullopt);
}

TEST(ProfileTextTest, SetsAValueInPlaceAtTheSectionEndOrInANewSection) {
  const struct {
    const char* name;
    const char* text;
    const char* key;
    const char* value;
    const char* expected;
  } cases[] = {
      {"empty text", "", "Claimed", "88", "[Settings]\r\nClaimed=88\r\n"},
      {"replace in place", "[Settings]\r\nName=A\r\nClaimed=1\r\nClub=C\r\n", "Claimed", "88",
       "[Settings]\r\nName=A\r\nClaimed=88\r\nClub=C\r\n"},
      {"new key behind the section's last entry",
       "[Settings]\r\nName=A\r\n\r\n[Other]\r\nX=1\r\n", "Club", "C",
       "[Settings]\r\nName=A\r\nClub=C\r\n\r\n[Other]\r\nX=1\r\n"},
      {"new section at the end", "[Other]\r\nX=1\r\n", "Claimed", "88",
       "[Other]\r\nX=1\r\n[Settings]\r\nClaimed=88\r\n"},
      {"same key in another section untouched", "[Other]\r\nClaimed=1\r\n[Settings]\r\nClaimed=2\r\n",
       "Claimed", "88", "[Other]\r\nClaimed=1\r\n[Settings]\r\nClaimed=88\r\n"},
      {"section header only", "[Settings]\r\n", "Claimed", "88", "[Settings]\r\nClaimed=88\r\n"},
      {"LF line ends become CR LF", "[Settings]\nName=A\n", "Claimed", "88",
       "[Settings]\r\nName=A\r\nClaimed=88\r\n"},
      {"last line without line end", "[Settings]\r\nName=A", "Claimed", "88",
       "[Settings]\r\nName=A\r\nClaimed=88\r\n"},
      {"empty value", "[Settings]\r\nClub=C\r\n", "Club", "", "[Settings]\r\nClub=\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Shown(SetProfileValue(c.text, "Settings", c.key, c.value)), Shown(c.expected))
        << c.name;
  }
}

TEST(ProfileTextTest, NamesInOtherCaseAreReplacedNotAdded) {
  const struct {
    const char* text;
  } cases[] = {
      {"[SETTINGS]\r\nclaimed=1\r\n"},
      {"[settings]\r\nCLAIMED=1\r\n"},
      {"[ Settings ]\r\n Claimed = 1\r\n"},
  };
  for (const auto& c : cases) {
    const std::string result = SetProfileValue(c.text, "Settings", "Claimed", "88");
    EXPECT_EQ(FindProfileValue(result, "Settings", "Claimed").value_or("<none>"), "88")
        << Shown(c.text);
    // Still one section line and one entry: two lines.
    EXPECT_EQ(std::count(result.begin(), result.end(), '\n'), 2) << Shown(c.text) << " gave "
                                                                  << Shown(result);
  }
}

TEST(ProfileTextTest, EveryKeySetIsFoundAgain) {
  std::string text;
  const char* keys[] = {"Band", "Power", "Operators", "SoapBox", "Loc"};
  for (const char* key : keys) text = SetProfileValue(text, "Settings", key, std::string(key) + "-v");
  text = SetProfileValue(text, "Other", "Band", "other-band");
  for (const char* key : keys) {
    EXPECT_EQ(FindProfileValue(text, "Settings", key).value_or("<none>"), std::string(key) + "-v")
        << key << " in " << Shown(text);
  }
  EXPECT_EQ(FindProfileValue(text, "Other", "Band").value_or("<none>"), "other-band")
      << Shown(text);
}

}  // namespace
