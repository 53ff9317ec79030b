#include "ui/dxcc_win.h"

#include "platform/platform.h"
#include "resources/resource.h"
#include "ui/wide_text_win.h"
#include "ui/window_position.h"

namespace stats {
namespace {

// Where the window opens when no place was saved (a saved 0 counts as none).
constexpr int kDefaultLeft = 10;
constexpr int kDefaultTop = 400;
// The button keeps this far inside the client area once the window is sized.
constexpr int kButtonMargin = 5;

}  // namespace

DXCC::DXCC(HWND parent) : CDialog(IDD_DXCC, parent) {}

void DXCC::SetCaption(const std::string& caption) {
  if (GetSafeHwnd() != nullptr) SetWindowText1251(GetSafeHwnd(), caption);
}

void DXCC::RepaintButton() {
  if (Button() != nullptr) InvalidateRect(Button(), nullptr, FALSE);
}

BOOL DXCC::OnInitDialog() {
  CDialog::OnInitDialog();
  const ScreenPoint place =
      LoadWindowPosition(CurrentPlatform(), kDxccPositionKeys, kDefaultLeft, kDefaultTop);
  SetWindowPos(GetSafeHwnd(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // A shared icon from the module's resources: the system keeps it.
  HICON icon = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_STATS));
  SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  return TRUE;
}

void DXCC::DoDataExchange(DataExchange& dx) { m_button.Attach(dx.Control(IDC_INFO_BUTTON)); }

void DXCC::OnOK() { Hide(); }

void DXCC::OnCancel() { Hide(); }

void DXCC::Hide() { ShowWindow(GetSafeHwnd(), SW_HIDE); }

void DXCC::FitButtonToClient() {
  HWND button = GetDlgItem(GetSafeHwnd(), IDC_INFO_BUTTON);
  if (button == nullptr) return;
  RECT client{};
  GetClientRect(GetSafeHwnd(), &client);
  MoveWindow(button, client.left + kButtonMargin, client.top + kButtonMargin,
             client.right - 2 * kButtonMargin, client.bottom - 2 * kButtonMargin, TRUE);
}

void DXCC::SavePositionIfMoved() {
  RECT frame{};
  if (GetWindowRect(GetSafeHwnd(), &frame)) {
    SaveWindowPositionIfMoved(CurrentPlatform(), kDxccPositionKeys, frame.left, frame.top);
  }
}

bool DXCC::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_SIZE:
      // Nothing of the default processing is needed first: the dialog's
      // own handling of WM_SIZE does not touch the controls.
      FitButtonToClient();
      return false;
    case WM_SETCURSOR:
      SavePositionIfMoved();
      return false;  // the cursor is still the system's to set
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
  return false;
}

}  // namespace stats
