// A number setting's text read as the C library's atoi reads it.
#include "engine/setting_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(LeadingInt, ReadsAsAtoiDoes) {
  const struct {
    std::string text;
    int value;
  } cases[] = {
      {"", 0},
      {"x", 0},
      {"120", 120},
      {"120px", 120},
      {"-35", -35},
      {"+35", 35},
      {" \t\v\f\r\n42", 42},
      {"42 7", 42},
      {"007", 7},
      // One sign only, and right before the digits.
      {"+-5", 0},
      {"-+5", 0},
      {"--5", 0},
      {"- 5", 0},
      {"+", 0},
      {"-", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      // Beyond int, the nearest end of the range.
      {"2147483648", INT_MAX},
      {"99999999999999999999", INT_MAX},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999", INT_MIN},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::LeadingInt(c.text), c.value) << "\"" << c.text << "\"";
  }
}

}  // namespace
