#pragma once
// Fakes of the display and the station dialog that the tests watch and
// script.
#include <functional>

#include "engine/display_port.h"
#include "reports/station.h"
#include "reports/station_dialog_port.h"

struct FakeDisplay : stats::DisplayPort {
  void Start() override {
    ++starts;
    open = true;
  }
  void Stop() override {
    ++stops;
    open = false;
  }
  bool IsOpen() override { return open; }
  void RequestRefresh() override { ++refreshRequests; }

  bool open = false;
  int starts = 0;
  int stops = 0;
  int refreshRequests = 0;
};

struct FakeStationDialog : stats::StationDialogPort {
  bool Run(stats::StationFields& fields) override {
    ++runs;
    return answer ? answer(fields) : false;
  }

  int runs = 0;
  // Edits the fields and returns true for OK; unset, the dialog is cancelled.
  std::function<bool(stats::StationFields&)> answer;
};
