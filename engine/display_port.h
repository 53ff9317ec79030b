#pragma once
// The display as the engine sees it: the windows that follow the operator,
// started by the contest reset and nudged by the call check. The window
// code implements it; until the module wires one in, an inert display that
// is never open stands in.
namespace stats {

class DisplayPort {
 public:
  virtual ~DisplayPort() = default;
  // Starts the display (closing a shown one first).
  virtual void Start() = 0;
  // Closes the windows and waits until the display has let go of them.
  virtual void Stop() = 0;
  virtual bool IsOpen() = 0;
  // Asks the shown display to refresh shortly (the refresh is delayed and
  // restarted by every request, so it follows the operator's last keystroke).
  virtual void RequestRefresh() = 0;
};

DisplayPort& CurrentDisplay();
// Null restores the inert display.
void SetCurrentDisplay(DisplayPort* display);

}  // namespace stats
