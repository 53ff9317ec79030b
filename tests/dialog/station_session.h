#pragma once
// One contest as the host runs it in output mode, with the helper thread
// playing the operator: the station dialog at the reset, the "Output"
// message box at the result request.
#include <map>
#include <string>
#include <vector>

#include "dialog_probe.h"
#include "stats_module.h"

namespace dialog_test {

// What the operator does in the station dialog: texts typed into controls
// (by id), then the button pressed.
struct OperatorActions {
  std::map<int, std::string> typed;
  int button;
};

struct ResetSeen {
  int returned = -1;
  DialogState dialog;  // as it opened, before anything was typed
};

struct ResultSeen {
  int result = 0;
  std::string returned;
  bool boxFound = false;
  std::string boxText;
};

// The controls of the station dialog that the tests look at.
const std::vector<int>& StationControlIds();

ResetSeen ResetWithDialog(StatsModule& module, const std::string& ownCall,
                          const OperatorActions& actions);
ResultSeen ResultWithMessageBox(StatsModule& module);

}  // namespace dialog_test
