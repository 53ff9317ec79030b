#include "engine/moscow_call.h"

namespace stats {
namespace {

// The fragments are every digit of "235" followed by every letter of "ABC":
// "2A", "3A", "5A", "2B", "3B", "5B", "2C", "3C", "5C".
bool IsFragmentAt(std::string_view call, std::size_t at) {
  const char digit = call[at];
  const char letter = call[at + 1];
  return (digit == '2' || digit == '3' || digit == '5') &&
         (letter == 'A' || letter == 'B' || letter == 'C');
}

}  // namespace

int IsMoscowCall(std::string_view call) {
  // A fragment's first occurrence lies at index 1 or later exactly when it
  // occurs at some later index and is not the fragment at index 0, so one
  // scan of the call decides all nine.
  for (std::size_t at = 1; at + 1 < call.size(); ++at) {
    if (!IsFragmentAt(call, at)) continue;
    if (call[at] != call[0] || call[at + 1] != call[1]) return 1;
  }
  return 0;
}

}  // namespace stats
