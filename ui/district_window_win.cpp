#include "ui/district_window_win.h"

#include "ui/display/display_objects_win.h"
#include "ui/panel_look_win.h"
#include "ui/wide_text_win.h"
#include "ui/window_position_win.h"

namespace stats {

DistrictWindow::DistrictWindow(UINT templateId, HWND parent, PositionKeys keys,
                               ScreenPoint preferred, CaptionsMember captions)
    : CDialog(templateId, parent), m_keys(keys), m_preferred(preferred), m_captions(captions) {}

BOOL DistrictWindow::OnInitDialog() {
  CDialog::OnInitDialog();
  // Widened first: the place depends on the size.
  const LongestCaptions longest = ComposeLongestCaptions();
  for (const std::string& caption : longest.*m_captions) {
    WidenToShowCaption(GetSafeHwnd(), WideFrom1251(caption));
  }
  MoveToSavedPosition(GetSafeHwnd(), m_keys, m_preferred.x, m_preferred.y);
  SetModuleIcon(GetSafeHwnd());
  return TRUE;
}

void DistrictWindow::OnOK() { Hide(); }

void DistrictWindow::OnCancel() { Hide(); }

bool DistrictWindow::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  if (DroppedAfterTheStop(message, result)) return true;
  if (message == WM_SETCURSOR) SavePositionIfMoved(GetSafeHwnd(), m_keys);
  return false;  // the pointer's shape is still the system's to set
}

void DistrictWindow::Hide() { ShowWindow(GetSafeHwnd(), SW_HIDE); }

}  // namespace stats
