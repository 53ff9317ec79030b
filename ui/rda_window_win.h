#pragma once
// The RDA window: a district window (template 108) whose client area is
// taken by the information button. It has no commands; the update step sets
// its caption and repaints the button. Its place on the screen is kept in
// the settings ("dxcc_x", "dxcc_y").
#include <windows.h>

#include "ui/district_window_win.h"
#include "ui/rda_button_win.h"

namespace stats {

class DXCC : public DistrictWindow {
 public:
  explicit DXCC(HWND parent = nullptr);

  HWND Button() const { return m_button.GetSafeHwnd(); }

 protected:
  void DoDataExchange(DataExchange& dx) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void FitButtonToClient();

  CCqWwInfoButton m_button;
};

}  // namespace stats
