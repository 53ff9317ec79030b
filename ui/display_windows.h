#pragma once
// The window operations of the update step, implemented by the information
// window on the display thread (and by fakes in the native tests).
#include <string>

#include "ui/moscow_districts.h"

namespace stats {

class DisplayWindows {
 public:
  virtual ~DisplayWindows() = default;
  virtual void KillUpdateTimer() = 0;
  virtual bool IsMoscowWindowOpen() = 0;
  // Creates the Moscow-districts window, ticks the information window's box
  // for it and shows the new window.
  virtual void OpenMoscowWindow() = 0;
  virtual bool IsRdaWindowOpen() = 0;
  virtual void OpenRdaWindow() = 0;
  virtual void SetMoscowCaption(const std::string& text) = 0;
  virtual void SetRdaCaption(const std::string& text) = 0;
  // Sets the window's district flags and pushes them into its boxes.
  virtual void SetMoscowTicks(const MoscowTicks& ticks) = 0;
  // Repaints the information button without erasing its background.
  virtual void RepaintRdaButton() = 0;
};

}  // namespace stats
