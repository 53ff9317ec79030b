#include "ui/oblast_win.h"

#include "resources/resource.h"
#include "ui/panel_look_win.h"

namespace stats {

oblast::oblast() : CDialog(IDD_OBLAST, nullptr) {}

oblast::~oblast() = default;

void oblast::SetTicks(const MoscowTicks& ticks) {
  for (int i = 0; i < kMoscowFlagCount; ++i) m_bDistrict[i] = ticks[i] ? 1 : 0;
  UpdateData(false);
}

BOOL oblast::OnInitDialog() {
  CDialog::OnInitDialog();
  // No default place: a window never saved opens at the screen's corner.
  MoveToSavedPosition(GetSafeHwnd(), kOblastPositionKeys, 0, 0);
  m_brush.reset(CreateSolidBrush(kPanelColour));
  SetModuleIcon(GetSafeHwnd());
  return TRUE;
}

void oblast::DoDataExchange(DataExchange& dx) {
  const auto codes = MoscowFlagCodes();
  for (int i = 0; i < kMoscowFlagCount; ++i) {
    if (const MoscowBox* box = FindMoscowBox(codes[i])) DDX_Check(dx, box->id, m_bDistrict[i]);
  }
}

void oblast::OnOK() {
  UpdateData(true);
  ShowWindow(GetSafeHwnd(), SW_HIDE);
}

void oblast::OnCancel() { ShowWindow(GetSafeHwnd(), SW_HIDE); }

bool oblast::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (IsControlColourMessage(message)) {
    result = ColourPanelControl(reinterpret_cast<HDC>(wParam), m_brush.get());
    return true;
  }
  if (message == WM_SETCURSOR) {
    SavePositionIfMoved(GetSafeHwnd(), kOblastPositionKeys);
    return false;  // the pointer shape is set as usual
  }
  return false;
}

}  // namespace stats
