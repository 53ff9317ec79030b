#include "engine/exchange_sets.h"

#include <array>

#include "engine/contest_name.h"
#include "platform/platform.h"

namespace stats {
namespace {

constexpr std::array<const char*, 1> kSetNames = {STATS_CONTEST_NAME " (C)"};

}  // namespace

int ExchangeSetCount() { return static_cast<int>(kSetNames.size()); }

const char* ExchangeSetName(int index) {
  if (index < 0 || index >= ExchangeSetCount()) return "";
  return kSetNames[static_cast<std::size_t>(index)];
}

void RunExchangeSetSetup(Platform& platform) {
  platform.ShowMessage("No additional setup for this contest", nullptr, MessageIcon::None);
}

}  // namespace stats
