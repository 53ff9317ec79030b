#pragma once
// The result table and the claimed score.
#include <string>
#include <string_view>

#include "engine/moscow_call.h"

namespace stats {

class Platform;

extern std::string g_strResult;  // the last result text
extern long long g_nScore;       // the claimed score of the last result

// Test hook (tests and fuzzers; the module never calls it): empties the last
// result, the score and the station data, as at load.
void RestoreReportsLoadState();

// Puts the band list in band order, recounts every band from the log,
// rebuilds the per-band district lists, stores the score in g_nScore and in
// the settings ("Claimed"), and leaves the text in g_strResult.
void ComputeResult(Platform& platform);

}  // namespace stats
