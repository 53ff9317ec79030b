#include "reports/station_dialog_port.h"

namespace stats {
namespace {

class CancelledDialog : public StationDialogPort {
 public:
  bool Run(StationFields&) override { return false; }
};

CancelledDialog g_cancelledDialog;
StationDialogPort* g_pStationDialog = nullptr;

}  // namespace

StationDialogPort& CurrentStationDialog() {
  return g_pStationDialog != nullptr ? *g_pStationDialog : g_cancelledDialog;
}

void SetCurrentStationDialog(StationDialogPort* dialog) { g_pStationDialog = dialog; }

}  // namespace stats
