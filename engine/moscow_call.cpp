#include "engine/moscow_call.h"

#include "engine/contest_rules.h"

namespace stats {
namespace {

bool IsFragmentAt(std::string_view call, std::size_t at) {
  return kMoscowFragmentDigits.find(call[at]) != std::string_view::npos &&
         kMoscowFragmentLetters.find(call[at + 1]) != std::string_view::npos;
}

bool StandsBefore(std::string_view call, std::size_t at, std::size_t limit) {
  for (std::size_t earlier = 0; earlier < limit; ++earlier) {
    if (call[earlier] == call[at] && call[earlier + 1] == call[at + 1]) return true;
  }
  return false;
}

}  // namespace

int IsMoscowCall(std::string_view call) {
  // A fragment's first occurrence lies at the rule's index or later exactly
  // when it stands there or later and not before it, so one scan of the call
  // decides every fragment.
  for (std::size_t at = kMoscowFragmentFrom; at + 1 < call.size(); ++at) {
    if (IsFragmentAt(call, at) && !StandsBefore(call, at, kMoscowFragmentFrom)) return 1;
  }
  return 0;
}

}  // namespace stats
