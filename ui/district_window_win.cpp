#include "ui/district_window_win.h"

#include "ui/panel_look_win.h"

namespace stats {

DistrictWindow::DistrictWindow(UINT templateId, HWND parent, PositionKeys keys,
                               ScreenPoint fallback)
    : CDialog(templateId, parent), m_keys(keys), m_fallback(fallback) {}

BOOL DistrictWindow::OnInitDialog() {
  CDialog::OnInitDialog();
  MoveToSavedPosition(GetSafeHwnd(), m_keys, m_fallback.x, m_fallback.y);
  SetModuleIcon(GetSafeHwnd());
  return TRUE;
}

void DistrictWindow::OnOK() { Hide(); }

void DistrictWindow::OnCancel() { Hide(); }

bool DistrictWindow::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) {
  if (message == WM_SETCURSOR) SavePositionIfMoved(GetSafeHwnd(), m_keys);
  return false;  // the pointer's shape is still the system's to set
}

void DistrictWindow::Hide() { ShowWindow(GetSafeHwnd(), SW_HIDE); }

}  // namespace stats
