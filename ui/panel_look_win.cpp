#include "ui/panel_look_win.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "framework/dialog.h"
#include "platform/platform.h"
#include "platform/win32_handles.h"
#include "resources/resource.h"

namespace stats {

INT_PTR ColourPanelControl(HDC dc, HBRUSH brush) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kPanelColour);
  return reinterpret_cast<INT_PTR>(brush);
}

HICON ModuleIcon() {
  // A shared icon from the module's resources: the system frees it.
  static std::atomic<HICON> icon{nullptr};
  if (icon.load() == nullptr) icon.store(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_STATS)));
  return icon.load();
}

void SetModuleIcon(HWND window) {
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ModuleIcon()));
}

namespace {

ScreenRect ScreenRectOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// Width of `text` in the system's caption font; 0 when it cannot be measured.
int CaptionTextWidth(HWND window, const std::wstring& text) {
  LOGFONTA font{};
  if (!SystemCaptionFont(font)) return 0;
  const WindowDc dc(window, WindowDc::Area::Window);
  const UniqueFont captionFont(CreateFontIndirectA(&font));
  if (!dc || !captionFont) return 0;
  const SelectGuard selected(dc.get(), captionFont.get());
  SIZE size{};
  if (!GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size)) return 0;
  return size.cx;
}

// The caption bar's parts beside its text, from the system's metrics: the
// frame (the window's width less its client area's), the icon, the caption
// buttons, and one button's width more, for themes that draw their buttons
// wider than the metric says.
int CaptionBarExtras(HWND window) {
  RECT frame{};
  RECT client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const int buttons = 1 + ((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 ? 2 : 0);
  const int icon = GetSystemMetrics(SM_CXSMICON) + 2 * GetSystemMetrics(SM_CXEDGE);
  return (frame.right - frame.left) - client.right + icon +
         (buttons + 1) * GetSystemMetrics(SM_CXSIZE);
}

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

void WidenToShowCaption(HWND window, const std::wstring& caption) {
  const int textWidth = CaptionTextWidth(window, caption);
  RECT frame{};
  if (textWidth == 0 || !GetWindowRect(window, &frame)) return;
  const int needed = textWidth + CaptionBarExtras(window);
  if (needed <= frame.right - frame.left) return;
  SetWindowPos(window, nullptr, 0, 0, needed, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveToSavedPosition(HWND window, PositionKeys keys, int preferredX, int preferredY) {
  const SavedPlace place = LoadWindowPosition(CurrentPlatform(), keys, preferredX, preferredY);
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const ScreenRect there{place.point.x, place.point.y, place.point.x + width,
                         place.point.y + height};
  const ScreenPoint at =
      place.saved ? KeepOnScreen(there, CaptionStripHeight(window, frame), WorkAreas())
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
