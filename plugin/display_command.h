#pragma once
// The host's display commands: "SHOWINFO" shows (or restarts) the windows,
// "HIDEINFO" closes them. Exact, case-sensitive; any other text does nothing.
#include <string_view>

namespace stats {

class DisplayPort;

void RunDisplayCommand(std::string_view command, DisplayPort& display);

}  // namespace stats
