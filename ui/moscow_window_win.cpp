#include "ui/moscow_window_win.h"

#include "resources/resource.h"
#include "ui/panel_look_win.h"

namespace stats {

// A window never saved opens at the screen's corner, or beside the display's
// windows that stand there.
oblast::oblast()
    : DistrictWindow(IDD_OBLAST, nullptr, kOblastPositionKeys, {0, 0},
                     &LongestCaptions::moscowWindow) {}

void oblast::SetTicks(const MoscowTicks& ticks) {
  for (int i = 0; i < kMoscowFlagCount; ++i) m_bDistrict[i] = ticks[i] ? 1 : 0;
  UpdateData(false);
}

BOOL oblast::OnInitDialog() {
  m_brush.reset(CreateSolidBrush(ColorRefOf(kPanelColour)));
  return DistrictWindow::OnInitDialog();
}

void oblast::DoDataExchange(DataExchange& dx) {
  const auto codes = MoscowFlagCodes();
  for (int i = 0; i < kMoscowFlagCount; ++i) {
    if (const MoscowBox* box = FindMoscowBox(codes[i])) DDX_Check(dx, box->id, m_bDistrict[i]);
  }
}

void oblast::OnOK() {
  UpdateData(true);
  Hide();
}

bool oblast::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (IsControlColourMessage(message)) {
    result = ColourPanelControl(reinterpret_cast<HDC>(wParam), m_brush.get());
    return true;
  }
  return DistrictWindow::OnMessage(message, wParam, lParam, result);
}

}  // namespace stats
