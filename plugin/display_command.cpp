#include "plugin/display_command.h"

#include "engine/display_port.h"

namespace stats {

void RunDisplayCommand(std::string_view command, DisplayPort& display) {
  if (command == "SHOWINFO") {
    display.Start();
  } else if (command == "HIDEINFO") {
    display.Stop();
  }
}

}  // namespace stats
