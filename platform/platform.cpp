#include "platform/platform.h"

#include <cstdlib>

namespace stats {
namespace {
Platform* g_pPlatform = nullptr;
}

// Each build links exactly one implementation that supplies this.
Platform& DefaultPlatform();

Platform& CurrentPlatform() { return g_pPlatform != nullptr ? *g_pPlatform : DefaultPlatform(); }

void SetCurrentPlatform(Platform* platform) { g_pPlatform = platform; }

}  // namespace stats
