// The Moscow-districts window's boxes and their binding to the district
// flags.
#include "ui/moscow_districts.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "engine/moscow_table.h"

namespace {

using stats::MoscowBox;

TEST(MoscowDistricts, EveryDistrictOfTheTableIsBoundOnceInTableOrder) {
  const auto codes = stats::MoscowFlagCodes();
  ASSERT_EQ(codes.size(), static_cast<std::size_t>(stats::kMoscowFlagCount));
  std::size_t tableSize = 0;
  while (stats::g_pszMoscowCodes[tableSize] != nullptr) ++tableSize;
  EXPECT_EQ(tableSize, codes.size()) << "districts in the table vs. bound flags";

  std::set<std::string> distinct;
  for (std::size_t flag = 0; flag < codes.size(); ++flag) {
    const std::string code = codes[flag];
    EXPECT_TRUE(distinct.insert(code).second) << "flag " << flag << " repeats " << code;
    EXPECT_TRUE(stats::IsMoscowDistrict(code)) << "flag " << flag << " " << code;
    EXPECT_EQ(stats::MoscowFlagOf(code), static_cast<int>(flag)) << code;
    int boxes = 0;
    for (const MoscowBox& box : stats::MoscowBoxes()) boxes += code == box.code;
    EXPECT_EQ(boxes, 1) << "boxes labelled " << code;
  }
}

TEST(MoscowDistricts, OnlyTheSeventhRowIsUnboundAndItHoldsNoDistrict) {
  const auto boxes = stats::MoscowBoxes();
  ASSERT_EQ(boxes.size(), static_cast<std::size_t>(stats::kMoscowBoxCount));
  std::set<int> rowYs;
  for (const MoscowBox& box : boxes) rowYs.insert(box.y);
  ASSERT_GE(rowYs.size(), 7u);
  const int seventhRowY = *std::next(rowYs.begin(), 6);

  int unbound = 0;
  for (const MoscowBox& box : boxes) {
    const bool bound = stats::MoscowFlagOf(box.code) >= 0;
    EXPECT_EQ(bound, box.y != seventhRowY) << box.code << " at y " << box.y;
    if (!bound) {
      ++unbound;
      EXPECT_FALSE(stats::IsMoscowDistrict(box.code)) << box.code;
    }
  }
  EXPECT_EQ(unbound, stats::kMoscowBoxCount - stats::kMoscowFlagCount);
}

TEST(MoscowDistricts, BoxesHaveDistinctIdsAndCodesAndAreFoundByCode) {
  std::set<int> ids;
  std::set<std::string> codes;
  for (const MoscowBox& box : stats::MoscowBoxes()) {
    EXPECT_TRUE(ids.insert(box.id).second) << "id " << box.id << " of " << box.code;
    EXPECT_TRUE(codes.insert(box.code).second) << box.code;
    EXPECT_EQ(stats::FindMoscowBox(box.code), &box) << box.code;
  }
  EXPECT_EQ(stats::FindMoscowBox("QQ"), nullptr);
}

TEST(MoscowDistricts, TextsThatAreNoBoundCodeHaveNoFlag) {
  for (const char* text : {"", "A", "af", "AFX", "KK", "\xC0\xC1", "A1"}) {
    EXPECT_EQ(stats::MoscowFlagOf(text), -1) << '"' << text << '"';
  }
}

}  // namespace
