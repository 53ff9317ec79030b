#pragma once
#include <string_view>

namespace stats {

// The Moscow-region district codes, ended by a null pointer. The district
// window lays its boxes out by its own grid (resources/moscow_grid.def).
extern const char* const g_pszMoscowCodes[];

// True when the text equals one of the codes exactly.
bool IsMoscowDistrict(std::string_view text);

}  // namespace stats
