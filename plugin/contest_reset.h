#pragma once
// A whole contest reset as the host asks for it: the engine's reset, the
// fresh journal, the station dialog in output mode, then the "Start" rule
// that may open the display. Every step runs whatever an earlier one met.
#include <string_view>

#include "platform/ole_date_time.h"

namespace stats {

class Platform;

// Returns 1.
int ResetContest(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                 std::string_view ownCountryPrefix, Platform& platform);

}  // namespace stats
