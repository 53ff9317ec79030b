#pragma once
#include <string_view>

namespace stats {

// The Moscow-region district codes, in the order the district window shows
// them, ended by a null pointer.
extern const char* const g_pszMoscowCodes[];

// True when the text equals one of the codes exactly.
bool IsMoscowDistrict(std::string_view text);

}  // namespace stats
