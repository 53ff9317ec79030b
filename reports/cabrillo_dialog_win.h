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

 protected:
  void DoDataExchange(DataExchange& dx) override;
  BOOL OnInitDialog() override;
};

}  // namespace stats
