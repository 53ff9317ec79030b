#pragma once
// Starting a contest afresh.
#include <string_view>

#include "engine/code_list.h"
#include "platform/ole_date_time.h"

namespace stats {

class DisplayPort;
class Platform;

// The engine's part of a reset: empties the contest state, takes over the
// own data and the contest end and reloads the RDA list. Everything new is
// built first, the RDA file read included, and only then swapped in under
// the state lock: when building fails (memory), the state is left as it
// was, never half changed.
void ResetContestState(int outputMode, std::string_view ownCall, const ATL::COleDateTime& end,
                       std::string_view ownCountryPrefix, Platform& platform);

// Starts a fresh journal: the file holds exactly its header.
void RestartJournal(Platform& platform);

// The "Start" setting, which alternates from reset to reset: read 0 (or
// missing) while the display is closed, the display starts and "1" is
// stored; read non-zero, "0" is stored and nothing starts.
void ApplyStartSetting(Platform& platform, DisplayPort& display);
void WriteStartSetting(Platform& platform, const char* value);

// The RDA list from its file, at most kMaxRdaCodes codes (the rest of the
// file is ignored). Empty when the file cannot be read, or when reading it
// runs out of memory. Reads the file: call it without the state lock.
CodeList ReadRdaCodes(Platform& platform);

}  // namespace stats
