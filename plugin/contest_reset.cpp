#include "plugin/contest_reset.h"

#include <string>

#include "engine/display_port.h"
#include "engine/reset.h"
#include "reports/station.h"

namespace stats {

int ResetContest(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                 std::string_view ownCountryPrefix, Platform& platform) {
  ResetContestState(outputMode, ownCall, end, ownCountryPrefix, platform);
  // An output-mode reset stores "Start" = 1 after the dialog, so that the
  // rule below reads it and opens no window.
  if (outputMode != 0) {
    g_cabrilloLog.SetupStation(std::string(ownCall), platform);
    WriteStartSetting(platform, "1");
  }
  ApplyStartSetting(platform, CurrentDisplay());
  return 1;
}

}  // namespace stats
