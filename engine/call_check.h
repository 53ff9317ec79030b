#pragma once
// The repeat check while the operator types: whether a QSO would repeat one
// already logged in the current tour (the tour and what makes a repeat are
// in engine/contest_rules.h).
#include <cstddef>
#include <string>
#include <string_view>

namespace stats {

class Platform;

inline constexpr std::size_t kWarningBufferSize = 100;

// The warning for a call in the wording g_bRussian selects. Takes the state
// lock itself.
std::string CallWarning(std::string_view call);

// 4 when the log holds a repeat of this QSO in the tour of the current UTC
// hour (the warning, cut to 99 bytes, then fills `warning` unless it is
// null), else 1 and `warning` is untouched. Asks an open display to refresh.
int CheckCall(std::string_view call, std::string_view mode, std::string_view band, char* warning,
              Platform& platform);

}  // namespace stats
