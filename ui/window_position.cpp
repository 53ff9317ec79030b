#include "ui/window_position.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

#include "engine/contest_state.h"
#include "platform/platform.h"
#include "platform/trim_blanks.h"

namespace stats {

int g_nLastX = 0;
int g_nLastY = 0;

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

int ReadSettingNumber(Platform& platform, const char* key) {
  std::string value = platform.ReadProfileString(g_strIniFile, g_strIniSection, key, "");
  if (value.size() > kIniBufferSize - 1) value.resize(kIniBufferSize - 1);
  return LeadingInt(value);
}

ScreenPoint LoadWindowPosition(Platform& platform, PositionKeys keys, int fallbackX,
                               int fallbackY) {
  g_nLastX = ReadSettingNumber(platform, keys.x);
  g_nLastY = ReadSettingNumber(platform, keys.y);
  if (g_nLastX == 0) g_nLastX = fallbackX;
  if (g_nLastY == 0) g_nLastY = fallbackY;
  return {g_nLastX, g_nLastY};
}

void SaveWindowPositionIfMoved(Platform& platform, PositionKeys keys, int left, int top) {
  if (left != g_nLastX) {
    g_nLastX = left;
    platform.WriteProfileString(g_strIniFile, g_strIniSection, keys.x, std::to_string(left));
  }
  if (top != g_nLastY) {
    g_nLastY = top;
    platform.WriteProfileString(g_strIniFile, g_strIniSection, keys.y, std::to_string(top));
  }
}

}  // namespace stats
