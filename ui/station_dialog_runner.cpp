#include "ui/station_dialog_runner.h"

#include "reports/station.h"

namespace stats {

// Until the dialog exists the operator cannot confirm anything.
bool RunCabrilloDialog(StationFields&) { return false; }

}  // namespace stats
