#include "plugin/contest_reset.h"

#include <string>

#include "engine/display_port.h"
#include "engine/reset.h"
#include "platform/fault_boundary.h"
#include "reports/station.h"

namespace stats {

namespace {

// The entry point a failed step is traced under.
constexpr const char* kEntryPoint = "ResetStats0";

// Runs one step of the reset. Whatever a step meets, the steps after it
// still run: a failed step leaves things as the steps before it left them.
template <typename Step>
void RunStep(Step&& step) {
  try {
    step();
  } catch (...) {
    TraceCaughtFault(kEntryPoint);
  }
}

}  // namespace

int ResetContest(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                 std::string_view ownCountryPrefix, Platform& platform) {
  RunStep([&] { ResetContestState(outputMode, ownCall, end, ownCountryPrefix, platform); });
  RunStep([&] { RestartJournal(platform); });
  // An output-mode reset stores "Start" = 1 after the dialog, so that the
  // rule below reads it and opens no window.
  if (outputMode != 0) {
    RunStep([&] { g_cabrilloLog.SetupStation(std::string(ownCall), platform); });
    RunStep([&] { WriteStartSetting(platform, "1"); });
  }
  RunStep([&] { ApplyStartSetting(platform, CurrentDisplay()); });
  return 1;
}

}  // namespace stats
