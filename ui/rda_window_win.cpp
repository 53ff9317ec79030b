#include "ui/rda_window_win.h"

#include "engine/display_snapshot.h"
#include "resources/resource.h"
#include "ui/update_text.h"

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
    : DistrictWindow(IDD_DXCC, parent, kDxccPositionKeys, {kDefaultLeft, kDefaultTop}) {}

void DXCC::DoDataExchange(DataExchange& dx) { m_button.Attach(dx.Control(IDC_INFO_BUTTON)); }

// The RDA line on the band with the longest name with a four-digit count,
// and the call line with a long portable call.
std::vector<std::string> DXCC::LongestCaptions() const {
  constexpr double kOn160m = 1'800'000;
  constexpr int kFourDigits = 8888;
  constexpr const char* kLongCall = "UA9ABC/QRP";
  DisplaySnapshot wording = TakeDisplaySnapshot("", -1);
  wording.rdaCount = kFourDigits;
  return {ComposeFrequencyPart(kOn160m, 0.0, wording).rdaLine,
          ComposeCallLine(wording.endYear, kLongCall, wording.russian)};
}

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
