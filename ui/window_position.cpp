#include "ui/window_position.h"

#include <cstdlib>
#include <string>

#include "engine/contest_state.h"
#include "platform/platform.h"

namespace stats {

int g_nLastX = 0;
int g_nLastY = 0;

int ReadSettingNumber(Platform& platform, const char* key) {
  std::string value = platform.ReadProfileString(g_strIniFile, g_strIniSection, key, "");
  if (value.size() > kIniBufferSize - 1) value.resize(kIniBufferSize - 1);
  return std::atoi(value.c_str());
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
