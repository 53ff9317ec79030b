#include "ui/window_position_win.h"

#include <algorithm>
#include <vector>

#include "platform/platform.h"

namespace stats {
namespace {

ScreenRect ScreenRectOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The work area of every screen: the screen less the task bar.
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back(ScreenRectOf(info.rcWork));
  }
  return TRUE;
}

std::vector<ScreenRect> WorkAreas() {
  std::vector<ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

struct ShownWindows {
  HWND self;
  std::vector<ScreenRect> rects;
};

BOOL CALLBACK AddShownWindow(HWND window, LPARAM shown) {
  auto& windows = *reinterpret_cast<ShownWindows*>(shown);
  RECT rect{};
  if (window != windows.self && IsWindowVisible(window) && !IsIconic(window) &&
      GetWindowRect(window, &rect)) {
    windows.rects.push_back(ScreenRectOf(rect));
  }
  return TRUE;
}

// The display's other windows on the screen: all three belong to the
// display thread, which is the caller.
std::vector<ScreenRect> OtherShownWindows(HWND self) {
  ShownWindows shown{self, {}};
  EnumThreadWindows(GetCurrentThreadId(), AddShownWindow, reinterpret_cast<LPARAM>(&shown));
  return shown.rects;
}

// The frame's top and the caption bar: where the operator takes the window.
int CaptionStripHeight(HWND window, const RECT& frame) {
  POINT clientTop{0, 0};
  ClientToScreen(window, &clientTop);
  return std::max(0, static_cast<int>(clientTop.y - frame.top));
}

}  // namespace

void MoveToSavedPosition(HWND window, PositionKeys keys, int preferredX, int preferredY) {
  const SavedPlace place = LoadWindowPosition(CurrentPlatform(), keys, preferredX, preferredY);
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const ScreenRect there{place.point.x, place.point.y, place.point.x + width,
                         place.point.y + height};
  const ScreenPoint at =
      place.saved
          ? KeepOnScreen(there, CaptionStripHeight(window, frame), WorkAreas())
          : DefaultPlace(width, height, place.point, OtherShownWindows(window), WorkAreas());
  g_nLastX = at.x;
  g_nLastY = at.y;
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SavePositionIfMoved(HWND window, PositionKeys keys) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  SaveWindowPositionIfMoved(CurrentPlatform(), keys, rect.left, rect.top);
}

}  // namespace stats
