#pragma once
// The exchange sets the module offers the host: one, this contest's.
namespace stats {

class Platform;

int ExchangeSetCount();

// The set's name in the host's list; the empty text for an index that names
// no set. Both texts live as long as the module.
const char* ExchangeSetName(int index);

// The host's "set-up" of a set: this contest has nothing to set up, and the
// operator is told so.
void RunExchangeSetSetup(Platform& platform);

}  // namespace stats
