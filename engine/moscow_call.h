#pragma once
#include <string_view>

namespace stats {

// 1 when one of the Moscow call-area fragments first occurs in the call
// where the rule lets it stand (engine/contest_rules.h); an occurrence
// before that does not count, and only the first occurrence of each
// fragment is looked at.
int IsMoscowCall(std::string_view call);

}  // namespace stats
