#pragma once
// Starting a contest afresh.
#include <string_view>

#include "platform/ole_date_time.h"

namespace stats {

class Platform;

// Empties the contest state, takes over the own data and the contest end,
// reloads the RDA list, starts a fresh journal, runs the station dialog in
// output mode and, by the "Start" setting, opens the display. Returns 1.
int ResetContest(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                 std::string_view ownCountryPrefix, Platform& platform);

// Loads the RDA list from its file into g_arrRdaCodes (empty when the file
// cannot be read). The caller holds the state lock.
void LoadRdaCodes(Platform& platform);

}  // namespace stats
