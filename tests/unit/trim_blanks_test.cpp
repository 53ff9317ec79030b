// The white-space trim that exchanges, settings lines and callsigns share.
#include "platform/trim_blanks.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

TEST(TrimBlanks, CutsTheCLocaleWhiteSpaceAtBothEndsOnly) {
  const struct {
    std::string_view text;
    std::string_view trimmed;
  } cases[] = {
      {" \t\r\n\v\fAB 01\f\v\n\r\t ", "AB 01"},  // every blank, inside kept
      {"\v", ""},
      {"   ", ""},
      {"", ""},
      {"MO", "MO"},
      // Not white space in the C locale, whatever another locale says.
      {"\xA0MO\xA0", "\xA0MO\xA0"},
      {"\x1CMO\x1F", "\x1CMO\x1F"},
      {"\0MO\0"sv, "\0MO\0"sv},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(stats::TrimBlanks(c.text), c.trimmed) << "\"" << std::string(c.text) << "\"";
  }
}

}  // namespace
