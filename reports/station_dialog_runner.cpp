#include "reports/station_dialog_runner.h"

#include "reports/cabrillo_dialog.h"
#include "reports/station.h"

namespace stats {

bool RunCabrilloDialog(StationFields& fields) {
  Cabrillo dialog;
  static_cast<StationFields&>(dialog) = fields;
  if (dialog.DoModal() != IDOK) return false;
  fields = dialog;
  return true;
}

}  // namespace stats
