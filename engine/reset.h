#pragma once
// Starting a contest afresh.
#include <string_view>

#include "platform/ole_date_time.h"

namespace stats {

class ContestStateLock;
class DisplayPort;
class Platform;

// The engine's part of a reset: empties the contest state, takes over the
// own data and the contest end, reloads the RDA list and starts a fresh
// journal.
void ResetContestState(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                       std::string_view ownCountryPrefix, Platform& platform);

// The "Start" setting, which alternates from reset to reset: read 0 (or
// missing) while the display is closed, the display starts and "1" is
// stored; read non-zero, "0" is stored and nothing starts.
void ApplyStartSetting(Platform& platform, DisplayPort& display);
void WriteStartSetting(Platform& platform, const char* value);

// Loads the RDA list from its file into g_arrRdaCodes (empty when the file
// cannot be read), under the caller's lock.
void LoadRdaCodes(const ContestStateLock& state, Platform& platform);

}  // namespace stats
