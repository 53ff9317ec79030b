#include "engine/display_port.h"

#include <atomic>

namespace stats {
namespace {

class InertDisplay : public DisplayPort {
 public:
  void Start() override {}
  void Stop() override {}
  bool IsOpen() override { return false; }
  void RequestRefresh() override {}
};

InertDisplay g_inertDisplay;
std::atomic<DisplayPort*> g_pDisplay{nullptr};

}  // namespace

DisplayPort& CurrentDisplay() {
  DisplayPort* display = g_pDisplay.load();
  return display != nullptr ? *display : g_inertDisplay;
}

void SetCurrentDisplay(DisplayPort* display) { g_pDisplay.store(display); }

}  // namespace stats
