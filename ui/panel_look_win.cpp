#include "ui/panel_look_win.h"

#include <atomic>

#include "framework/dialog.h"
#include "platform/platform.h"
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

void MoveToSavedPosition(HWND window, PositionKeys keys, int fallbackX, int fallbackY) {
  const ScreenPoint at = LoadWindowPosition(CurrentPlatform(), keys, fallbackX, fallbackY);
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SavePositionIfMoved(HWND window, PositionKeys keys) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return;
  SaveWindowPositionIfMoved(CurrentPlatform(), keys, rect.left, rect.top);
}

}  // namespace stats
