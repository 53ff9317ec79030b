#pragma once
// The Moscow-districts window: the boxes of its grid (moscow_districts.h),
// labelled with district codes, the districts worked on the current band
// ticked by the update step. A display only: it has no commands of its
// own. It hides, keeps its place and looks as every district window does.
#include <array>

#include "platform/win32_handles.h"
#include "ui/district_window_win.h"
#include "ui/moscow_districts.h"

namespace stats {

class oblast : public DistrictWindow {
 public:
  oblast();

  // Sets the district flags and pushes them into the boxes. The eight boxes
  // bound to no flag keep whatever the operator gave them.
  void SetTicks(const MoscowTicks& ticks);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  // Enter keeps the boxes as the operator left them, then hides.
  void OnOK() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  UniqueBrush m_brush;
  std::array<int, kMoscowFlagCount> m_bDistrict{};  // 0/1 per bound box
};

}  // namespace stats
