#include "ui/panel_look_win.h"

#include <atomic>

#include "framework/dialog.h"
#include "platform/win32_handles.h"
#include "resources/resource.h"

namespace stats {

INT_PTR ColourPanelControl(HDC dc, HBRUSH brush) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, ColorRefOf(kPanelColour));
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

}  // namespace stats
