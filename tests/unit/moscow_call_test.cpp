// The Moscow-call rule: where a call-area fragment may stand in a call.
#include "engine/moscow_call.h"

#include <gtest/gtest.h>

namespace {

TEST(IsMoscowCallTest, AFragmentCountsFromTheSecondCharacterOnFirstOccurrenceOnly) {
  const struct {
    const char* call;
    int expected;
  } cases[] = {
      {"RA3AB", 1},   // "3A" at index 2
      {"R2AZ", 1},    // "2A" at index 1
      {"A2A", 1},     // index 1 is enough
      {"UA3CT", 1},   // "3C"
      {"RN5BX", 1},   // "5B"
      {"RK2CA", 1},   // "2C"
      {"R5A", 1},     // "5A"
      {"RW3BX", 1},   // "3B"
      {"UA2BX", 1},   // "2B"
      {"RZ5CA", 1},   // "5C"
      {"2A", 0},      // only at index 0
      {"3A2MW", 0},   // "3A" at index 0 and no other fragment
      {"3AB3A", 0},   // "3A" first occurs at index 0; the later one is not looked at
      {"3A5B", 1},    // "3A" at 0 does not count, "5B" at 2 does
      {"DL1ABC", 0},
      {"UA9ABC", 0},
      {"RA4A", 0},
      {"ra3ab", 0},   // case-sensitive: "3a" is no fragment
      {"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::IsMoscowCall(c.call), c.expected) << "call \"" << c.call << "\"";
  }
}

}  // namespace
