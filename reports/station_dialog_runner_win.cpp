#include "reports/station_dialog_runner_win.h"

#include "reports/cabrillo_dialog_win.h"
#include "reports/station.h"

namespace stats {
namespace {

class CabrilloDialogPort : public StationDialogPort {
 public:
  bool Run(StationFields& fields) override {
    Cabrillo dialog;
    static_cast<StationFields&>(dialog) = fields;
    if (dialog.DoModal() != IDOK) return false;
    fields = dialog;
    return true;
  }
};

}  // namespace

StationDialogPort& CabrilloStationDialog() {
  static CabrilloDialogPort port;
  return port;
}

}  // namespace stats
