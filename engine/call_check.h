#pragma once
// The tour rule: a station may be worked once per band and mode in each
// clock hour (UTC).
#include <cstddef>
#include <string>
#include <string_view>

namespace stats {

class Platform;

inline constexpr std::size_t kWarningBufferSize = 100;

// The warning for a call in the wording g_bRussian selects. Takes the state
// lock itself.
std::string CallWarning(std::string_view call);

// 4 when the call was logged on this band and mode in the current UTC hour
// of the day (the warning, cut to 99 bytes, then fills `warning` unless it is
// null), else 1 and `warning` is untouched. Asks an open display to refresh.
int CheckCall(std::string_view call, std::string_view mode, std::string_view band, char* warning,
              Platform& platform);

}  // namespace stats
