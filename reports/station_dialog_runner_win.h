#pragma once
// The station dialog port of the DLL: the dialog "Cabrillo" run modally on
// the calling thread.
#include "reports/station_dialog_port.h"

namespace stats {

StationDialogPort& CabrilloStationDialog();

}  // namespace stats
