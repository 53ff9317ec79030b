// The Moscow-region district table and its membership test.
#include "engine/moscow_table.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "moscow_table_codes.h"

namespace {

// The contest's Moscow region has this many districts.
constexpr std::size_t kMoscowDistrictCount = 138;

bool IsCapitalLetter(char c) { return c >= 'A' && c <= 'Z'; }

TEST(MoscowTable, HoldsEachDistrictOnceAsTwoCapitalsBeforeItsEndMark) {
  const std::vector<std::string> codes = MoscowTableCodes();
  EXPECT_EQ(codes.size(), kMoscowDistrictCount) << "entries before the end mark";
  std::set<std::string> distinct;
  for (const std::string& code : codes) {
    EXPECT_TRUE(code.size() == 2 && IsCapitalLetter(code[0]) && IsCapitalLetter(code[1]))
        << "code \"" << code << "\"";
    EXPECT_TRUE(distinct.insert(code).second) << "code " << code << " repeated";
  }
}

// Membership is looked up by letter pair, so every pair is tried: a pair
// that maps onto another's slot would show as a stray member.
TEST(MoscowTable, OfAllTwoCapitalCodesExactlyTheTablesAreMembers) {
  const std::vector<std::string> table = MoscowTableCodes();
  const std::set<std::string> members(table.begin(), table.end());
  for (char first = 'A'; first <= 'Z'; ++first) {
    for (char second = 'A'; second <= 'Z'; ++second) {
      const std::string code{first, second};
      EXPECT_EQ(stats::IsMoscowDistrict(code), members.count(code) == 1) << "code " << code;
    }
  }
}

TEST(MoscowTable, OtherTextsAreNotMembers) {
  const std::string others[] = {"",   "M",   "MO ", " MO", "mo", "Mo",  "XX", "KB",
                                "AA", "ZY",  "MOS", "BK\n", "AF1", "\xCC\xCE" /* МО */,
                                std::string("M\0", 2),
                                // Right beside real codes in the alphabet.
                                "AE", "AG", "BL", "MP", "ZA"};
  for (const std::string& text : others) {
    EXPECT_FALSE(stats::IsMoscowDistrict(text)) << "text \"" << text << "\" (" << text.size()
                                                << " bytes)";
  }
}

}  // namespace
