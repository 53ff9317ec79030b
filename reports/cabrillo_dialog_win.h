#pragma once
// The station dialog "Cabrillo" (template 101): the station data of the
// Cabrillo header, checked and changed by the operator.
#include <string>

#include "framework/dialog.h"
#include "reports/station.h"

namespace stats {

// The seventeen station fields, under their own names, come from
// StationFields; m_strPower has no control and is carried from open to close.
class Cabrillo : public CDialog, public StationFields {
 public:
  explicit Cabrillo(HWND parent = nullptr);
  ~Cabrillo() override;

  INT_PTR DoModal() override;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void DoDataExchange(DataExchange& dx) override;
  BOOL OnInitDialog() override;

 private:
  // No timer is started for this dialog; a stray one gets default handling.
  bool OnTimer(UINT_PTR id);
};

}  // namespace stats
