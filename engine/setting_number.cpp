#include "engine/setting_number.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

#include "engine/contest_state.h"
#include "platform/platform.h"
#include "platform/trim_blanks.h"

namespace stats {
namespace {

constexpr std::size_t kSignificantDigits = 9;

int LeadingDigits(std::string_view text) {
  const std::size_t significant = text.find_first_not_of('0');
  if (significant == std::string_view::npos) return 0;
  const std::string_view digits = text.substr(significant, kSignificantDigits);
  // Unsigned: a leading "-" is no digit.
  unsigned number = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return static_cast<int>(number);
}

}  // namespace

int LeadingInt(std::string_view text) {
  text = TrimBlanks(text);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return 0;  // one sign only
  }
  int value = 0;
  const std::from_chars_result read =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (read.ec == std::errc::result_out_of_range) {
    return text.starts_with('-') ? std::numeric_limits<int>::min()
                                 : std::numeric_limits<int>::max();
  }
  return value;
}

int ReadSettingNumber(Platform& platform, const char* key, NumberReading reading) {
  std::string value = platform.ReadProfileString(g_strIniFile, g_strIniSection, key, "");
  if (value.size() > kIniBufferSize - 1) value.resize(kIniBufferSize - 1);
  return reading == NumberReading::kLeadingDigits ? LeadingDigits(value) : LeadingInt(value);
}

}  // namespace stats
