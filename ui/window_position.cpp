#include "ui/window_position.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/contest_state.h"
#include "engine/setting_number.h"
#include "platform/platform.h"

namespace stats {

int g_nLastX = 0;
int g_nLastY = 0;

SavedPlace LoadWindowPosition(Platform& platform, PositionKeys keys, int fallbackX,
                              int fallbackY) {
  g_nLastX = ReadSettingNumber(platform, keys.x, NumberReading::kAtoi);
  g_nLastY = ReadSettingNumber(platform, keys.y, NumberReading::kAtoi);
  const bool saved = g_nLastX != 0 || g_nLastY != 0;
  if (g_nLastX == 0) g_nLastX = fallbackX;
  if (g_nLastY == 0) g_nLastY = fallbackY;
  return {{g_nLastX, g_nLastY}, saved};
}

namespace {

ScreenRect Intersection(const ScreenRect& a, const ScreenRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  const ScreenRect common = Intersection(a, b);
  return common.Width() > 0 && common.Height() > 0;
}

bool Contains(const ScreenRect& outer, const ScreenRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Squared distance between two rectangles (0 when they touch or overlap);
// 64 bits, as screen coordinates may lie far apart.
int64_t Distance2(const ScreenRect& a, const ScreenRect& b) {
  const int64_t dx = std::max<int64_t>({0, int64_t{b.left} - a.right, int64_t{a.left} - b.right});
  const int64_t dy = std::max<int64_t>({0, int64_t{b.top} - a.bottom, int64_t{a.top} - b.bottom});
  return dx * dx + dy * dy;
}

int64_t Distance2(ScreenPoint a, ScreenPoint b) {
  const int64_t dx = int64_t{a.x} - b.x;
  const int64_t dy = int64_t{a.y} - b.y;
  return dx * dx + dy * dy;
}

// The start of a span of `length` moved the least to lie in [low, high);
// `low` when the span is longer.
int Clamp(int start, int length, int low, int high) {
  if (length >= high - low) return low;
  return std::clamp(start, low, high - length);
}

ScreenRect At(ScreenPoint corner, int width, int height) {
  return {corner.x, corner.y, corner.x + width, corner.y + height};
}

}  // namespace

ScreenPoint KeepOnScreen(const ScreenRect& window, int captionHeight,
                         const std::vector<ScreenRect>& workAreas) {
  const ScreenPoint kept{window.left, window.top};
  if (workAreas.empty()) return kept;
  const ScreenRect strip{window.left, window.top, window.right, window.top + captionHeight};
  for (const ScreenRect& area : workAreas) {
    const ScreenRect visible = Intersection(strip, area);
    if (visible.Height() > 0 && visible.Width() >= std::min(captionHeight, strip.Width())) {
      return kept;
    }
  }
  const ScreenRect* nearest = &workAreas.front();
  for (const ScreenRect& area : workAreas) {
    if (Distance2(window, area) < Distance2(window, *nearest)) nearest = &area;
  }
  return {Clamp(window.left, window.Width(), nearest->left, nearest->right),
          Clamp(window.top, window.Height(), nearest->top, nearest->bottom)};
}

ScreenPoint DefaultPlace(int width, int height, ScreenPoint preferred,
                         const std::vector<ScreenRect>& others,
                         const std::vector<ScreenRect>& workAreas) {
  const auto coversNone = [&](ScreenPoint corner) {
    const ScreenRect place = At(corner, width, height);
    return std::none_of(others.begin(), others.end(),
                        [&](const ScreenRect& other) { return Overlap(place, other); });
  };
  if (coversNone(preferred)) return preferred;
  const auto onOneScreen = [&](ScreenPoint corner) {
    const ScreenRect place = At(corner, width, height);
    return std::any_of(workAreas.begin(), workAreas.end(),
                       [&](const ScreenRect& area) { return Contains(area, place); });
  };
  std::vector<ScreenPoint> candidates;
  for (const ScreenRect& other : others) {
    candidates.push_back({other.right + kWindowGap, other.top});
    candidates.push_back({other.left, other.bottom + kWindowGap});
  }
  const ScreenPoint* best = nullptr;
  for (const ScreenPoint& candidate : candidates) {
    if (!coversNone(candidate) || !onOneScreen(candidate)) continue;
    if (best == nullptr || Distance2(candidate, preferred) < Distance2(*best, preferred)) {
      best = &candidate;
    }
  }
  return best != nullptr ? *best : preferred;
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
