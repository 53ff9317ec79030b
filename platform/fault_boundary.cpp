#include "platform/fault_boundary.h"

#include <exception>

#include "platform/platform.h"

namespace stats {

void TraceCaughtFault(const char* where) noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& fault) {
      CurrentPlatform().TraceFault(where, fault.what());
    } catch (...) {
      CurrentPlatform().TraceFault(where, "an exception that is no std::exception");
    }
  } catch (...) {
    // The trace itself failed (no memory for its text): the fault stays
    // swallowed as before.
  }
}

}  // namespace stats
