// The RDA code list: order kept, repeats kept, exact membership.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/code_list.h"

namespace {

using stats::CodeList;

CodeList ListOf(const std::vector<std::string>& codes) {
  CodeList list;
  for (const std::string& code : codes) list.Append(code);
  return list;
}

TEST(CodeList, StartsEmpty) {
  const CodeList list;
  EXPECT_EQ(list.size(), 0u) << "fresh list";
  EXPECT_TRUE(list.codes().empty()) << "fresh list";
  EXPECT_FALSE(list.Contains("")) << "fresh list, empty text";
  EXPECT_FALSE(list.Contains("AB01")) << "fresh list, AB01";
}

TEST(CodeList, KeepsTheOrderOfAppendingAndEveryRepeat) {
  const std::vector<std::string> appended = {"MO12", "AB01", "ab01", "AB01", "ZZ99"};
  const CodeList list = ListOf(appended);
  ASSERT_EQ(list.size(), appended.size()) << "repeats are not dropped";
  EXPECT_EQ(list.codes(), appended);
  for (std::size_t i = 0; i < appended.size(); ++i) {
    EXPECT_EQ(list[i], appended[i]) << "index " << i;
  }
}

struct MembershipCase {
  const char* probe;
  bool expected;
};

TEST(CodeList, MembershipIsExactAndCaseSensitive) {
  const CodeList list = ListOf({"AB01", "MO12", "A-A-", "  01"});
  const MembershipCase cases[] = {
      {"AB01", true}, {"MO12", true},  {"A-A-", true},   {"  01", true},
      {"ab01", false}, {"AB0", false}, {"AB011", false}, {"AB-01", false},
      {"", false},     {"01", false},  {" AB01", false}, {"AB01 ", false},
  };
  for (const MembershipCase& c : cases) {
    EXPECT_EQ(list.Contains(c.probe), c.expected) << "probe \"" << c.probe << "\"";
  }
}

TEST(CodeList, EmbeddedNulIsPartOfTheCode) {
  const CodeList list = ListOf({std::string("AB\0" "1", 4)});
  EXPECT_FALSE(list.Contains("AB")) << "probe AB against AB<NUL>1";
  EXPECT_TRUE(list.Contains(std::string_view("AB\0" "1", 4))) << "probe AB<NUL>1";
}

TEST(CodeList, ClearForgetsCodesAndMembership) {
  CodeList list = ListOf({"AB01", "CD02"});
  list.Clear();
  EXPECT_EQ(list.size(), 0u) << "after Clear";
  EXPECT_FALSE(list.Contains("AB01")) << "AB01 after Clear";
  EXPECT_FALSE(list.Contains("CD02")) << "CD02 after Clear";

  list.Append("EF03");
  EXPECT_TRUE(list.Contains("EF03")) << "EF03 appended after Clear";
  EXPECT_FALSE(list.Contains("AB01")) << "AB01 after Clear and a new append";
  ASSERT_EQ(list.size(), 1u) << "after Clear and one append";
  EXPECT_EQ(list[0], "EF03");
}

}  // namespace
