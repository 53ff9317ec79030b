#include "ui/rda_window_win.h"

#include "resources/resource.h"

namespace stats {
namespace {

// Where the window opens when no place was saved (a saved 0 counts as none)
// and no other display window stands there.
constexpr int kDefaultLeft = 10;
constexpr int kDefaultTop = 400;
// The button keeps this far inside the client area once the window is sized.
constexpr int kButtonMargin = 5;

}  // namespace

DXCC::DXCC(HWND parent)
    : DistrictWindow(IDD_DXCC, parent, kDxccPositionKeys, {kDefaultLeft, kDefaultTop},
                     &LongestCaptions::rdaWindow) {}

void DXCC::DoDataExchange(DataExchange& dx) { m_button.Attach(dx.Control(IDC_INFO_BUTTON)); }

void DXCC::FitButtonToClient() {
  HWND button = GetDlgItem(GetSafeHwnd(), IDC_INFO_BUTTON);
  if (button == nullptr) return;
  RECT client{};
  GetClientRect(GetSafeHwnd(), &client);
  MoveWindow(button, client.left + kButtonMargin, client.top + kButtonMargin,
             client.right - 2 * kButtonMargin, client.bottom - 2 * kButtonMargin, TRUE);
}

bool DXCC::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_SIZE:
      // The dialog's own handling of WM_SIZE leaves the controls alone, so
      // the order against it does not matter.
      FitButtonToClient();
      return false;
    case WM_DRAWITEM:
      if (wParam != IDC_INFO_BUTTON) return false;
      m_button.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_CLOSE:
      Hide();
      result = TRUE;
      return true;
  }
  return DistrictWindow::OnMessage(message, wParam, lParam, result);
}

}  // namespace stats
