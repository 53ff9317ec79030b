#pragma once
// The station dialog as the reports see it: shown modally on the caller's
// thread. The dialog code implements it; until the module wires one in, a
// dialog that is always cancelled stands in.
namespace stats {

struct StationFields;

class StationDialogPort {
 public:
  virtual ~StationDialogPort() = default;
  // True when the operator confirmed; `fields` then holds what was confirmed.
  virtual bool Run(StationFields& fields) = 0;
};

StationDialogPort& CurrentStationDialog();
// Null restores the always-cancelled dialog.
void SetCurrentStationDialog(StationDialogPort* dialog);

}  // namespace stats
