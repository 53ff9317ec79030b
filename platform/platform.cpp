#include "platform/platform.h"

#include <cstdlib>

namespace stats {
namespace {
Platform* g_platform = nullptr;
}

// Each build links exactly one implementation that supplies this.
Platform& DefaultPlatform();

Platform& CurrentPlatform() { return g_platform != nullptr ? *g_platform : DefaultPlatform(); }

void SetCurrentPlatform(Platform* platform) { g_platform = platform; }

}  // namespace stats
