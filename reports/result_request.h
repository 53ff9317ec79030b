#pragma once
// The host's request for the result: the result table, and after an
// output-mode reset the Cabrillo file of the same result as well.
#include <optional>

namespace stats {

class Platform;

// What the host's result variable is set to by an output-mode result.
inline constexpr int kOutputModeResultValue = -1;

struct ResultAnswer {
  const char* text;          // the result table (g_strResult), valid until the next result
  std::optional<int> value;  // for the host's result variable; none leaves it as it is
};

// Computes the result; in output mode (as the last reset set it) also
// writes the Cabrillo file with the result's score and tells the operator.
ResultAnswer AnswerResultRequest(Platform& platform);

}  // namespace stats
