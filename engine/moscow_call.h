#pragma once
#include <string_view>

namespace stats {

// 1 when one of the Moscow call-area fragments ("2A" ... "5C") first occurs
// in the call at its second character or later; an occurrence at the first
// character does not count, and only the first occurrence of each fragment
// is looked at.
int IsMoscowCall(std::string_view call);

}  // namespace stats
