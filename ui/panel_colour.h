#pragma once
// The display's light yellow: the background of the three windows and of
// the RDA button's district view. Window-free, as 0x00RRGGBB like every
// colour of the button's picture; the Win32 side converts it (ColorRefOf).
#include <cstdint>

namespace stats {

inline constexpr uint32_t kPanelColour = 0xFFFAC6;  // RGB(255,250,198)

}  // namespace stats
