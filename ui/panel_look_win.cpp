#include "ui/panel_look_win.h"

#include "framework/dialog.h"
#include "platform/platform.h"
#include "resources/resource.h"

namespace stats {

INT_PTR ColourPanelControl(HDC dc, HBRUSH brush) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kPanelColour);
  return reinterpret_cast<INT_PTR>(brush);
}

void SetModuleIcon(HWND window) {
  // A shared icon from the module's resources: the system frees it.
  HICON icon = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_STATS));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
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
